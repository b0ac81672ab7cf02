#include "installer/payload/SignedImage.h"

#include <algorithm>

namespace {

constexpr int64_t kLfanewOffset = 0x3C;
constexpr int64_t kCoffHeaderSize = 20;
constexpr int64_t kSectionHeaderSize = 40;
constexpr int64_t kDirectorySize = 8;
constexpr int64_t kSecurityDirectory = 4;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr int64_t kMaxAlignmentPadding = 7;

// Little-endian fields of a byte range; a read outside it gives nullopt.
class TBytes {
public:
    TBytes(const uint8_t* bytes, int64_t size) : bytes_(bytes), size_(size) {}

    bool Holds(int64_t offset, int64_t count) const
    {
        return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    }

    std::optional<uint32_t> U16(int64_t offset) const { return Field(offset, 2); }
    std::optional<uint32_t> U32(int64_t offset) const { return Field(offset, 4); }

private:
    std::optional<uint32_t> Field(int64_t offset, int count) const
    {
        if (!Holds(offset, count))
            return std::nullopt;
        uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = (value << 8) | bytes_[offset + i];
        return value;
    }

    const uint8_t* bytes_;
    int64_t size_;
};

// Where the data directories begin inside the optional header, which differs between 32-bit
// and 64-bit images; nullopt for any other magic.
std::optional<int64_t> DataDirectoriesOffset(uint32_t magic)
{
    if (magic == kPe32Magic)
        return 96;
    if (magic == kPe32PlusMagic)
        return 112;
    return std::nullopt;
}

// The end of the section table, the declared header size and every section's raw data.
std::optional<int64_t> ImageEnd(const TBytes& file, int64_t sectionTable, uint32_t sections, int64_t sizeOfHeaders)
{
    const int64_t tableEnd = sectionTable + kSectionHeaderSize * sections;
    if (!file.Holds(sectionTable, kSectionHeaderSize * sections))
        return std::nullopt;
    int64_t end = std::max(tableEnd, sizeOfHeaders);
    for (int64_t header = sectionTable; header < tableEnd; header += kSectionHeaderSize) {
        const int64_t rawSize = *file.U32(header + 16);
        const int64_t rawOffset = *file.U32(header + 20);
        if (rawSize > 0)
            end = std::max(end, rawOffset + rawSize);
    }
    return end;
}

// Whether the trailer of a container ending at `end` adds up: a positive count whose stored
// sizes and size pairs fill exactly the bytes before `end`.
bool TrailerAddsUp(const TBytes& file, int64_t end)
{
    const std::optional<uint32_t> countField = file.U32(end - 4);
    if (!countField)
        return false;
    const auto count = static_cast<int32_t>(*countField);
    if (count <= 0 || 8 * int64_t(count) + 4 > end)
        return false;
    int64_t total = 8 * int64_t(count) + 4;
    for (int64_t pair = end - 4 - 8 * int64_t(count); pair < end - 4; pair += 8) {
        const auto stored = static_cast<int32_t>(*file.U32(pair + 4));
        if (stored <= 0)
            return false;
        total += stored;
        if (total > end)
            return false;
    }
    return total == end;
}

} // namespace

std::optional<TCertificateTable> FindCertificateTable(const uint8_t* bytes, int64_t size)
{
    const TBytes file(bytes, size);
    if (file.U16(0) != 0x5A4D) // "MZ"
        return std::nullopt;
    const std::optional<uint32_t> lfanew = file.U32(kLfanewOffset);
    if (!lfanew || file.U32(*lfanew) != 0x00004550) // "PE\0\0"
        return std::nullopt;
    const int64_t coff = int64_t(*lfanew) + 4;
    const std::optional<uint32_t> sections = file.U16(coff + 2);
    const std::optional<uint32_t> optionalSize = file.U16(coff + 16);
    const int64_t optional = coff + kCoffHeaderSize;
    if (!sections || !optionalSize || !file.Holds(optional, *optionalSize))
        return std::nullopt;
    const TBytes header(bytes + optional, *optionalSize); // the optional header alone
    const std::optional<uint32_t> magic = header.U16(0);
    const std::optional<int64_t> directories = magic ? DataDirectoriesOffset(*magic) : std::nullopt;
    if (!directories)
        return std::nullopt;
    const std::optional<uint32_t> directoryCount = header.U32(*directories - 4);
    const int64_t security = *directories + kDirectorySize * kSecurityDirectory;
    const std::optional<uint32_t> tableOffset = header.U32(security);
    const std::optional<uint32_t> tableSize = header.U32(security + 4);
    const std::optional<uint32_t> sizeOfHeaders = header.U32(60);
    if (!directoryCount || *directoryCount <= kSecurityDirectory || !tableOffset || !tableSize || !sizeOfHeaders ||
        *tableSize == 0)
        return std::nullopt;
    const std::optional<int64_t> imageEnd = ImageEnd(file, optional + *optionalSize, *sections, *sizeOfHeaders);
    if (!imageEnd)
        return std::nullopt;
    return TCertificateTable{*tableOffset, *tableSize, *imageEnd};
}

int64_t ContainerEnd(const uint8_t* bytes, int64_t size)
{
    const std::optional<TCertificateTable> table = FindCertificateTable(bytes, size);
    if (!table || table->offset + table->size != size || table->offset < table->imageEnd)
        return size;
    const TBytes file(bytes, size);
    for (int64_t end = table->offset; end >= table->offset - kMaxAlignmentPadding; --end) {
        if (end < table->imageEnd)
            break;
        if (TrailerAddsUp(file, end))
            return end;
        // Only zero bytes pad the table; a non-zero byte before `end` belongs to the payload.
        if (end == 0 || bytes[end - 1] != 0)
            break;
    }
    return table->offset;
}
