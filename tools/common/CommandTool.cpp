#include "tools/common/CommandTool.h"

#include "platform/CommandLine.h"
#include "tools/common/Options.h"

#include <MerrowinVersion.h>

#include <cstdio>
#include <exception>

namespace {

void PrintOverview(const char* toolName, const std::vector<Command>& commands, FILE* out)
{
    std::fprintf(out, "usage: %s COMMAND [ARGS]   (%s COMMAND --help for more; %s --version)\n\ncommands:\n",
                 toolName, toolName, toolName);
    for (const Command& command : commands)
        std::fprintf(out, "  %s\n", command.usage);
}

int RunCommand(const char* toolName, const Command& command, const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") {
            std::printf("usage: %s\n\n%s\n", command.usage, command.help);
            return 0;
        }
    try {
        return command.run(arguments);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "%s %s: %s\nusage: %s\n", toolName, command.name, error.what(), command.usage);
        return 2;
    }
}

} // namespace

int RunCommandTool(const char* toolName, const std::vector<Command>& commands, int argc, char** argv)
{
    SetBinaryStandardOutput();
    std::vector<std::string> arguments = Utf8Arguments(argc, argv);
    if (arguments.size() < 2) {
        PrintOverview(toolName, commands, stderr);
        return 2;
    }
    if (arguments[1] == "--help" || arguments[1] == "-h") {
        PrintOverview(toolName, commands, stdout);
        return 0;
    }
    if (arguments[1] == "--version") {
        std::printf("%s %s\n", toolName, MERROWIN_VERSION);
        return 0;
    }
    for (const Command& command : commands) {
        if (arguments[1] != command.name)
            continue;
        try {
            return RunCommand(toolName, command, std::vector<std::string>(arguments.begin() + 2, arguments.end()));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "%s: unknown command %s\n", toolName, arguments[1].c_str());
    PrintOverview(toolName, commands, stderr);
    return 2;
}
