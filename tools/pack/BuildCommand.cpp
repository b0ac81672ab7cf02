#include "installer/payload/ContainerWriter.h"
#include "tools/pack/Commands.h"
#include "tools/common/Options.h"
#include "tools/common/ToolFiles.h"
#include "tools/pack/PackFiles.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/MemoryStream.h"

int RunBuild(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"--stub", "--movie", "--project", "-o"}, {});
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
    writer.Finish();
    WriteFileAtomically(output, std::string(installer.View()), true);
    return 0;
}
