#include "installer/payload/ContainerWriter.h"
#include "installer/payload/SignedImage.h"
#include "tools/pack/Commands.h"
#include "tools/pack/CompanionFiles.h"
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

// The stub named by --stub, or the one that came with merrowin-pack for --target; says which.
std::string ChooseStub(const Options& options)
{
    if (options.Has("--stub")) {
        if (options.Has("--target"))
            throw UsageError("--stub and --target both name the stub: give one");
        return options.Value("--stub");
    }
    const std::string target = options.Required("--target");
    if (target != "linux" && target != "windows")
        throw UsageError("--target is linux or windows, not " + target);
    const auto stub = FindStub(target == "linux" ? TStubTarget::Linux : TStubTarget::Windows);
    if (!stub)
        throw Exception("no " + target + " stub came with this merrowin-pack: name one with --stub");
    std::fprintf(stderr, "merrowin-pack: the installer's stub is %s\n", stub->c_str());
    return *stub;
}

// A signature covers the file it was made for and ends it; with the payload after it, a stub's
// signature no longer verifies. The finished installer is what gets signed.
void WarnIfSigned(const std::string& stub)
{
    if (FindCertificateTable(reinterpret_cast<const uint8_t*>(stub.data()), static_cast<int64_t>(stub.size())))
        std::fputs("merrowin-pack: warning: the stub is signed, and its signature will not survive packing; "
                   "authors sign the finished installer\n",
                   stderr);
}

} // namespace

int RunBuild(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"--stub", "--target", "--movie", "--project", "-o"}, {"--no-player"});
    if (!options.Positional().empty())
        throw UsageError("unexpected argument " + options.Positional().front());
    const std::string stub = ReadWholeFile(ChooseStub(options));
    const std::string movie = ReadWholeFile(options.Required("--movie"));
    const std::string project = ReadWholeFile(options.Required("--project"));
    const std::string output = options.Required("-o");
    // The installer never writes an empty wallpaper, and the format has no empty entries.
    if (stub.empty() || movie.empty() || project.empty())
        throw Exception("the stub, the movie and the project text must not be empty");
    WarnIfSigned(stub);

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
