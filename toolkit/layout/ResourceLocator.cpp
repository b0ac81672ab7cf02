#include "toolkit/layout/ResourceLocator.h"

#include "toolkit/streams/FileStream.h"

#include <vector>

std::string TResourceLocator::Load(const std::string& name) const
{
    std::optional<std::string> bytes = Find(name);
    if (!bytes)
        throw EResNotFound(name);
    return std::move(*bytes);
}

std::optional<std::string> TFolderResourceLocator::Find(const std::string& name) const
{
    if (name.empty() || name[0] == '.' || name.find_first_of("/\\:") != std::string::npos)
        return std::nullopt;
    std::string path = folder_;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    path += name;
    try {
        TFileStream file(path, TFileStream::fmOpenRead);
        int64_t size = file.Size();
        std::string bytes(static_cast<size_t>(size), '\0');
        file.ReadBuffer(bytes.data(), size);
        return bytes;
    } catch (const EStreamError&) {
        return std::nullopt;
    }
}

std::optional<std::string> TMemoryResourceLocator::Find(const std::string& name) const
{
    auto it = resources_.find(name);
    if (it == resources_.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> TTableResourceLocator::Find(const std::string& name) const
{
    const std::string stem = name.substr(0, name.find('.'));
    if (stem.empty())
        return std::nullopt;
    const std::optional<std::string_view> bytes = table_.Find(stem);
    if (!bytes)
        return std::nullopt;
    return std::string(*bytes);
}
