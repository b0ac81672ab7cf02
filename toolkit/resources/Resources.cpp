#include "toolkit/resources/Resources.h"

#include "toolkit/layout/ResourceLocator.h"
#include "toolkit/resources/ResourceTable.h"
#include "toolkit/resources/ResourceUnpack.h"
#include "toolkit/streams/MemoryStream.h"

#include <algorithm>
#include <map>

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Orders a table name against a name in any case, as upper case.
int Compare(const char* entry, std::string_view name)
{
    size_t i = 0;
    for (; entry[i] && i < name.size(); ++i) {
        const char a = entry[i], b = Upper(name[i]);
        if (a != b)
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b) ? -1 : 1;
    }
    if (!entry[i] && i == name.size())
        return 0;
    return entry[i] ? 1 : -1;
}

// The entries unpacked so far, for the whole program: tables are small values copied freely, so
// the bytes belong to the entry, not to a table object. Like the rest of the toolkit, this is used
// from the one thread that runs the windows, and takes no lock.
std::optional<std::string_view> Unpacked(const TResourceEntry& entry)
{
    static std::map<const TResourceEntry*, std::optional<std::string>> unpacked;
    auto found = unpacked.find(&entry);
    if (found == unpacked.end())
        found = unpacked.emplace(&entry, UnpackResource(entry)).first;
    if (!found->second)
        return std::nullopt;
    return std::string_view(*found->second);
}

} // namespace

std::optional<std::string_view> TResourceTable::Find(std::string_view name) const
{
    const TResourceEntry* begin = entries_;
    const TResourceEntry* end = entries_ + count_;
    const TResourceEntry* found = std::lower_bound(
        begin, end, name, [](const TResourceEntry& entry, std::string_view key) { return Compare(entry.name, key) < 0; });
    if (found == end || Compare(found->name, name) != 0)
        return std::nullopt;
    return Unpacked(*found);
}

std::vector<std::string> TResourceTable::Names() const
{
    std::vector<std::string> names;
    names.reserve(count_);
    for (size_t i = 0; i < count_; ++i)
        names.emplace_back(entries_[i].name);
    return names;
}

std::optional<std::string_view> FindResourceBytes(std::string_view name)
{
    return TResourceTable(kResourceTable, kResourceTableCount).Find(name);
}

std::vector<std::string> ResourceNames()
{
    return TResourceTable(kResourceTable, kResourceTableCount).Names();
}

const TBitmap& DecodedBitmapResource(std::string_view name)
{
    // Decoded once for the whole program: a window cuts a dozen frames out of one strip of title
    // buttons while it is built, and decoding the strip each time cost more than all the rest.
    static std::map<const char*, TBitmap> decoded;
    const std::optional<std::string_view> bytes = FindResourceBytes(name);
    if (!bytes)
        throw EResNotFound(std::string(name));
    auto found = decoded.find(bytes->data());
    if (found == decoded.end()) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes->data(), static_cast<int64_t>(bytes->size()));
        stream.SetPosition(0);
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        found = decoded.emplace(bytes->data(), std::move(bitmap)).first;
    }
    return found->second;
}

void LoadBitmapResource(std::string_view name, TBitmap& dest)
{
    dest.AssignPicture(DecodedBitmapResource(name));
}
