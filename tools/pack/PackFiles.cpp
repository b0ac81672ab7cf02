#include "tools/pack/PackFiles.h"

#include "installer/payload/DecompileStream.h"
#include "installer/project/Project.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Utf8Path.h"
#include "toolkit/streams/FileStream.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& fileName)
{
    TMemoryStream bytes;
    bytes.LoadFromFile(fileName);
    return std::string(bytes.View());
}

void WriteFileAtomically(const std::string& fileName, const std::string& bytes, bool executable)
{
    const std::string partial = fileName + ".partial";
    try {
        {
            TFileStream file(partial, TFileStream::fmCreate);
            file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        }
        if (executable)
            fs::permissions(Utf8Path(partial),
                            fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                            fs::perm_options::add);
        fs::rename(Utf8Path(partial), Utf8Path(fileName));
    } catch (...) {
        std::error_code ignored;
        fs::remove(Utf8Path(partial), ignored);
        throw;
    }
}

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
