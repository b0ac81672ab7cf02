#include "tools/pack/PackFiles.h"

#include "installer/payload/DecompileStream.h"
#include "installer/project/Project.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/FileStream.h"

std::unique_ptr<TProject> LoadProject(const std::string& fileName, bool isProjectText)
{
    auto project = std::make_unique<TProject>();
    if (isProjectText) {
        project->ProjectStream.LoadFromFile(fileName);
    } else {
        TFileStream file(fileName, TFileStream::fmOpenRead);
        TDecompileStream container;
        container.Decompile(file);
        std::unique_ptr<TMemoryStream> text = container.GetStream(2, true);
        project->ProjectStream.LoadFromStream(*text);
    }
    project->ProjectStream.SetPosition(0);
    project->LoadFromStream();
    return project;
}
