#include "installer/payload/ContainerWriter.h"
#include "tools/pack/Commands.h"
#include "tools/common/Options.h"
#include "tools/common/ToolFiles.h"
#include "tools/pack/PackFiles.h"
#include "tools/pack/PlayerPacking.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/MemoryStream.h"

#include <cstdio>

namespace {

// Linux has no desktop that plays a web page: the installer brings our player along.
void AddPlayer(TContainerWriter& writer)
{
    const auto folder = FindPlayerFolder();
    if (!folder) {
        std::fprintf(stderr, "merrowin-pack: no wallpaper player beside merrowin-pack: the installer will play its "
                             "wallpaper only where merrowin-wallpaper is installed\n");
        return;
    }
    writer.AddPacked(PackPlayerFolder(*folder));
    std::fprintf(stderr, "merrowin-pack: the installer carries the wallpaper player of %s\n", folder->c_str());
}

} // namespace

int RunBuild(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"--stub", "--movie", "--project", "-o"}, {"--no-player"});
    if (!options.Positional().empty())
        throw UsageError("unexpected argument " + options.Positional().front());
    const std::string stub = ReadWholeFile(options.Required("--stub"));
    const std::string movie = ReadWholeFile(options.Required("--movie"));
    const std::string project = ReadWholeFile(options.Required("--project"));
    const std::string output = options.Required("-o");
    // The installer never writes an empty wallpaper, and the format has no empty entries.
    if (stub.empty() || movie.empty() || project.empty())
        throw Exception("the stub, the movie and the project text must not be empty");

    TMemoryStream installer;
    TContainerWriter writer(installer);
    writer.AddRaw(stub);
    writer.AddPacked(movie);
    writer.AddPacked(project);
    if (IsLinuxStub(stub) && !options.Has("--no-player"))
        AddPlayer(writer);
    writer.Finish();
    WriteFileAtomically(output, std::string(installer.View()), true);
    return 0;
}
