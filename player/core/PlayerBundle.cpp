#include "player/core/PlayerBundle.h"

#include <charconv>

namespace {

const std::string_view kMagic = "MWPLAYER";
const uint32_t kFormat = 1;
const uint32_t kMaxFiles = 64;
const uint32_t kMaxName = 128;
const uint32_t kMaxStamp = 256;

void PutU32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutBytes(std::string& out, std::string_view bytes)
{
    PutU32(out, static_cast<uint32_t>(bytes.size()));
    out += bytes;
}

// Reads forward through a bundle; every read checks what is left first.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    std::optional<uint32_t> U32()
    {
        if (bytes_.size() < 4)
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[i])) << (8 * i);
        bytes_.remove_prefix(4);
        return value;
    }

    std::optional<std::string_view> Bytes(uint32_t limit)
    {
        const auto size = U32();
        if (!size || *size > limit || *size > bytes_.size())
            return std::nullopt;
        const std::string_view out = bytes_.substr(0, *size);
        bytes_.remove_prefix(*size);
        return out;
    }

    bool Skip(std::string_view expected)
    {
        if (bytes_.substr(0, expected.size()) != expected)
            return false;
        bytes_.remove_prefix(expected.size());
        return true;
    }

    bool AtEnd() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

bool IsSafeLevel(std::string_view level)
{
    if (level.empty() || level.front() == '.')
        return false;
    for (char c : level) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                        c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

uint64_t Fnv1a(uint64_t hash, std::string_view bytes)
{
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// "1.2.3 digest" -> {1, 2, 3}; an unreadable version is empty and older than any other.
std::vector<uint32_t> VersionOf(std::string_view stamp)
{
    std::vector<uint32_t> parts;
    const std::string_view version = stamp.substr(0, stamp.find(' '));
    size_t start = 0;
    while (start <= version.size()) {
        size_t end = version.find('.', start);
        if (end == std::string_view::npos)
            end = version.size();
        uint32_t part = 0;
        const auto [ptr, error] = std::from_chars(version.data() + start, version.data() + end, part);
        if (error != std::errc() || ptr != version.data() + end)
            return {};
        parts.push_back(part);
        start = end + 1;
    }
    return parts;
}

} // namespace

bool IsSafeBundleName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxName)
        return false;
    const size_t slash = name.find('/');
    if (slash == std::string_view::npos)
        return IsSafeLevel(name);
    return IsSafeLevel(name.substr(0, slash)) && IsSafeLevel(name.substr(slash + 1));
}

std::string WritePlayerBundle(const TPlayerBundle& bundle)
{
    std::string out(kMagic);
    PutU32(out, kFormat);
    PutBytes(out, bundle.stamp);
    PutU32(out, static_cast<uint32_t>(bundle.files.size()));
    for (const TBundleFile& file : bundle.files) {
        PutBytes(out, file.name);
        PutU32(out, file.executable ? 1 : 0);
        PutBytes(out, file.content);
    }
    return out;
}

std::optional<TPlayerBundle> ReadPlayerBundle(std::string_view bytes)
{
    Cursor cursor(bytes);
    if (!cursor.Skip(kMagic) || cursor.U32() != kFormat)
        return std::nullopt;
    TPlayerBundle bundle;
    const auto stamp = cursor.Bytes(kMaxStamp);
    const auto count = cursor.U32();
    if (!stamp || !count || *count > kMaxFiles)
        return std::nullopt;
    bundle.stamp = *stamp;
    for (uint32_t i = 0; i < *count; ++i) {
        const auto name = cursor.Bytes(kMaxName);
        const auto flags = cursor.U32();
        const auto content = cursor.Bytes(UINT32_MAX);
        if (!name || !flags || *flags > 1 || !content || !IsSafeBundleName(*name))
            return std::nullopt;
        for (const TBundleFile& earlier : bundle.files) {
            if (earlier.name == *name)
                return std::nullopt;
        }
        bundle.files.push_back({std::string(*name), *flags == 1, std::string(*content)});
    }
    if (!cursor.AtEnd())
        return std::nullopt;
    return bundle;
}

std::string BundleStamp(const std::string& version, const std::vector<TBundleFile>& files)
{
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const TBundleFile& file : files) {
        hash = Fnv1a(hash, file.name);
        hash = Fnv1a(hash, file.executable ? "x" : "-");
        hash = Fnv1a(hash, file.content);
    }
    char digest[17];
    for (int i = 0; i < 16; ++i)
        digest[i] = "0123456789abcdef"[(hash >> (60 - 4 * i)) & 0xF];
    digest[16] = '\0';
    return version + " " + digest;
}

bool ShouldReplacePlayer(const std::optional<std::string>& installed, const std::string& offered)
{
    if (!installed)
        return true;
    const std::vector<uint32_t> have = VersionOf(*installed);
    const std::vector<uint32_t> get = VersionOf(offered);
    if (have != get)
        return have < get;
    return *installed != offered;
}
