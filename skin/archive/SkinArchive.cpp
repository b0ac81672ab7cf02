#include "skin/archive/SkinArchive.h"

#include "platform/FileAccess.h"
#include "skin/archive/SkinInflater.h"
#include "skin/archive/ZipCipher.h"
#include "toolkit/streams/FileStream.h"

#include <optional>

namespace {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr int64_t kEndRecordSize = 22;
constexpr int64_t kCentralHeaderSize = 46;
constexpr int64_t kLocalHeaderSize = 30;
constexpr int64_t kEncryptionHeaderSize = 12;
// Names are compared as the old 260-byte buffers held them; a longer one never matches.
constexpr size_t kLongestName = 259;

constexpr uint16_t kFlagEncrypted = 1 << 0;
constexpr uint16_t kFlagCheckFromTime = 1 << 3;

uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint8_t AsciiUpper(char c)
{
    const auto byte = static_cast<uint8_t>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<uint8_t>(byte - 'a' + 'A') : byte;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

// What the central directory says about the wanted member.
struct TMemberInfo {
    uint16_t flags = 0;
    uint16_t time = 0;
    uint32_t crc = 0;
    uint32_t size = 0;
    uint32_t localHeader = 0;
};

// The central directory entry of `entryName`, or nothing when the bytes are no skin archive
// or hold no such member. Raises the stream's errors on short reads.
std::optional<TMemberInfo> FindMember(TStream& archive, const std::string& entryName)
{
    uint8_t start[4];
    archive.SetPosition(0);
    archive.ReadBuffer(start, sizeof start);
    if (start[0] != 'S' || start[1] != 'K')
        return std::nullopt;

    // Only an end record without a comment is looked for: it must fill the last 22 bytes.
    const int64_t endPosition = archive.Size() - kEndRecordSize;
    if (endPosition < 0)
        return std::nullopt;
    uint8_t end[kEndRecordSize];
    archive.SetPosition(endPosition);
    archive.ReadBuffer(end, sizeof end);
    if (U32(end) != kEndSignature || U16(end + 20) != 0)
        return std::nullopt;

    // Every header moves the walk on by at least 46 bytes, so it ends.
    for (int64_t position = U32(end + 16); position < endPosition;) {
        uint8_t header[kCentralHeaderSize];
        archive.SetPosition(position);
        archive.ReadBuffer(header, sizeof header);
        const uint16_t nameLength = U16(header + 28);
        if (nameLength <= kLongestName) {
            std::string name(nameLength, '\0');
            archive.ReadBuffer(name.data(), nameLength);
            if (SameName(name, entryName))
                return TMemberInfo{U16(header + 8), U16(header + 12), U32(header + 16), U32(header + 24),
                                   U32(header + 42)};
        }
        position += kCentralHeaderSize + nameLength + U16(header + 30) + U16(header + 32);
    }
    return std::nullopt;
}

// From the member's local header to the end of its deflate data. Any error ends as skFailed;
// `written` tells how far the output got.
uint8_t ExtractMember(TStream& archive, const TMemberInfo& member, TStream& output, const std::string& password,
                      int64_t& written)
{
    try {
        uint8_t local[kLocalHeaderSize];
        archive.SetPosition(member.localHeader);
        archive.ReadBuffer(local, sizeof local);
        archive.Seek(int64_t(U16(local + 26)) + U16(local + 28), TSeekOrigin::soCurrent);

        std::optional<TZipCipher> cipher;
        if (member.flags & kFlagEncrypted) {
            if (password.empty())
                return skRefused;
            cipher.emplace(password);
            uint8_t header[kEncryptionHeaderSize];
            archive.ReadBuffer(header, sizeof header);
            cipher->Decrypt(header, sizeof header);
            const auto check = static_cast<uint8_t>((member.flags & kFlagCheckFromTime) ? member.time >> 8
                                                                                         : member.crc >> 24);
            if (header[kEncryptionHeaderSize - 1] != check)
                return skRefused;
        }
        // Stops at the final block, or as soon as the output would pass the recorded size.
        TSkinInflater inflater(archive, cipher ? &*cipher : nullptr, output, member.size);
        uint8_t result = skFailed;
        try {
            result = inflater.Run();
        } catch (...) {
            // A read or write error; what got written still counts.
        }
        written = inflater.Written();
        return result;
    } catch (...) {
        return skFailed;
    }
}

// Once output exists, its size has the last word: an empty one is a failure, and one of the
// wrong size is refused whatever stopped the extraction.
uint8_t Settle(uint8_t result, int64_t outputSize, uint32_t recordedSize)
{
    if (outputSize == 0 && result == skExtracted)
        return skFailed;
    if (outputSize != int64_t(recordedSize))
        return skRefused;
    return result;
}

} // namespace

uint8_t ExtractSkinEntry(TStream& archive, const std::string& entryName, TStream& output, const std::string& password)
{
    try {
        const std::optional<TMemberInfo> member = FindMember(archive, entryName);
        if (!member)
            return skFailed;
        int64_t written = 0;
        const uint8_t result = ExtractMember(archive, *member, output, password, written);
        return Settle(result, written, member->size);
    } catch (...) {
        return skFailed;
    }
}

uint8_t ExtractSkinEntry(const std::string& archiveFile, const std::string& entryName, const std::string& outputFile,
                         const std::string& password)
{
    uint8_t result = skFailed;
    try {
        if (PathExists(archiveFile)) {
            TFileStream archive(archiveFile, TFileStream::fmOpenRead);
            if (const std::optional<TMemberInfo> member = FindMember(archive, entryName)) {
                int64_t written = 0;
                {
                    TFileStream output(outputFile, TFileStream::fmCreate);
                    result = ExtractMember(archive, *member, output, password, written);
                }
                // The file's own size, measured after closing: a write the system buffered
                // and then lost must not pass as an extraction.
                result = Settle(result, FileSize(outputFile), member->size);
            }
        }
    } catch (...) {
        result = skFailed;
    }
    // Whatever failed, nothing is left under the output name; a folder there is no output.
    if (result != skExtracted && !IsFolder(outputFile))
        RemoveFile(outputFile);
    return result;
}
