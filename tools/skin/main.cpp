// merrowin-skin: builds skin archives from a folder of pictures and values, and looks inside
// existing ones.
#include "platform/CommandLine.h"
#include "tools/pack/Options.h"
#include "tools/skin/Commands.h"

#include <cstdio>
#include <exception>

namespace {

void PrintOverview(FILE* out)
{
    std::fprintf(out, "usage: merrowin-skin COMMAND [ARGS]   (merrowin-skin COMMAND --help for more)\n\ncommands:\n");
    for (const Command& command : Commands())
        std::fprintf(out, "  %s\n", command.usage);
}

int RunCommand(const Command& command, const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") {
            std::printf("usage: %s\n\n%s\n", command.usage, command.help);
            return 0;
        }
    try {
        return command.run(arguments);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "merrowin-skin %s: %s\nusage: %s\n", command.name, error.what(), command.usage);
        return 2;
    }
}

} // namespace

int main(int argc, char** argv)
{
    SetBinaryStandardOutput();
    std::vector<std::string> arguments = Utf8Arguments(argc, argv);
    if (arguments.size() < 2) {
        PrintOverview(stderr);
        return 2;
    }
    if (arguments[1] == "--help" || arguments[1] == "-h") {
        PrintOverview(stdout);
        return 0;
    }
    for (const Command& command : Commands()) {
        if (arguments[1] != command.name)
            continue;
        try {
            return RunCommand(command, std::vector<std::string>(arguments.begin() + 2, arguments.end()));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "merrowin-skin: unknown command %s\n", arguments[1].c_str());
    PrintOverview(stderr);
    return 2;
}
