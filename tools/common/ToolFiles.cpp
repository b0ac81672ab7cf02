#include "tools/common/ToolFiles.h"

#include "toolkit/core/Utf8Path.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& fileName)
{
    TMemoryStream bytes;
    bytes.LoadFromFile(fileName);
    return std::string(bytes.View());
}

std::string PartialName(const std::string& fileName)
{
    return fileName + ".partial";
}

void CommitPartial(const std::string& fileName)
{
    fs::rename(Utf8Path(PartialName(fileName)), Utf8Path(fileName));
}

void WriteFileAtomically(const std::string& fileName, const std::string& bytes, bool executable)
{
    try {
        {
            TFileStream file(PartialName(fileName), TFileStream::fmCreate);
            file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        }
        if (executable)
            fs::permissions(Utf8Path(PartialName(fileName)),
                            fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                            fs::perm_options::add);
        CommitPartial(fileName);
    } catch (...) {
        std::error_code ignored;
        fs::remove(Utf8Path(PartialName(fileName)), ignored);
        throw;
    }
}
