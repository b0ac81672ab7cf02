#include "skin/archive/SkinArchiveWriter.h"

#include "skin/archive/ZipCipher.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/Stream.h"

#include <zlib.h>

#include <limits>
#include <random>

namespace {

constexpr uint16_t kVersionNeeded = 20;
constexpr uint16_t kMethodDeflate = 8;
constexpr uint16_t kFlagEncrypted = 1;
// 1 January 2000, 00:00, in DOS form.
constexpr uint16_t kDosTime = 0;
constexpr uint16_t kDosDate = (20 << 9) | (1 << 5) | 1;

class TBytes {
public:
    void U16(uint32_t value) { Push(value, 2); }
    void U32(uint32_t value) { Push(value, 4); }
    void Text(std::string_view text) { bytes_.append(text); }
    void WriteTo(TStream& target) const { target.WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size())); }

private:
    void Push(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            bytes_.push_back(static_cast<char>(value >> (8 * i)));
    }
    std::string bytes_;
};

std::string RawDeflate(std::string_view bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw Exception("deflate could not start");
    std::string packed(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const int status = deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw Exception("deflate failed");
    return packed;
}

// Eleven random bytes and the check byte (the CRC's high byte), encrypted together with the data.
std::string Encrypt(const std::string& packed, uint32_t crc, const std::string& password)
{
    std::random_device random;
    std::string sealed(12, '\0');
    for (int i = 0; i < 11; ++i)
        sealed[size_t(i)] = static_cast<char>(random());
    sealed[11] = static_cast<char>(crc >> 24);
    sealed += packed;
    TZipCipher cipher(password);
    cipher.Encrypt(reinterpret_cast<uint8_t*>(sealed.data()), sealed.size());
    return sealed;
}

uint32_t Checked32(uint64_t value)
{
    if (value > std::numeric_limits<uint32_t>::max())
        throw Exception("a skin archive must stay below 4 GiB");
    return static_cast<uint32_t>(value);
}

} // namespace

TSkinArchiveWriter::TSkinArchiveWriter(TStream& target) : target_(target) {}

void TSkinArchiveWriter::AddMember(const std::string& name, std::string_view bytes, const std::string& password)
{
    if (name.empty() || name.size() > 0xFFFF)
        throw Exception("a member name must hold 1 to 65535 bytes");
    const uint32_t size = Checked32(bytes.size());
    const auto crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), size));
    std::string stored = RawDeflate(bytes);
    if (!password.empty())
        stored = Encrypt(stored, crc, password);
    const TEntry entry{name, static_cast<uint16_t>(password.empty() ? 0 : kFlagEncrypted), crc,
                       Checked32(stored.size()), size, Checked32(static_cast<uint64_t>(target_.Position()))};
    WriteLocalHeader(entry);
    target_.WriteBuffer(stored.data(), static_cast<int64_t>(stored.size()));
    entries_.push_back(entry);
}

void TSkinArchiveWriter::WriteLocalHeader(const TEntry& entry)
{
    TBytes header;
    // "SK" where other archives have "PK": the mark of a skin.
    header.Text(entries_.empty() ? "SK\x03\x04" : "PK\x03\x04");
    header.U16(kVersionNeeded);
    header.U16(entry.flags);
    header.U16(kMethodDeflate);
    header.U16(kDosTime);
    header.U16(kDosDate);
    header.U32(entry.crc);
    header.U32(entry.storedSize);
    header.U32(entry.size);
    header.U16(static_cast<uint32_t>(entry.name.size()));
    header.U16(0);
    header.Text(entry.name);
    header.WriteTo(target_);
}

void TSkinArchiveWriter::WriteCentralHeader(const TEntry& entry)
{
    TBytes header;
    header.Text("PK\x01\x02");
    header.U16(kVersionNeeded);
    header.U16(kVersionNeeded);
    header.U16(entry.flags);
    header.U16(kMethodDeflate);
    header.U16(kDosTime);
    header.U16(kDosDate);
    header.U32(entry.crc);
    header.U32(entry.storedSize);
    header.U32(entry.size);
    header.U16(static_cast<uint32_t>(entry.name.size()));
    header.U16(0); // extra field
    header.U16(0); // comment
    header.U16(0); // disk
    header.U16(0); // internal attributes
    header.U32(0); // external attributes
    header.U32(entry.localHeader);
    header.Text(entry.name);
    header.WriteTo(target_);
}

void TSkinArchiveWriter::Finish()
{
    const uint32_t directory = Checked32(static_cast<uint64_t>(target_.Position()));
    for (const TEntry& entry : entries_)
        WriteCentralHeader(entry);
    const uint32_t directorySize = Checked32(static_cast<uint64_t>(target_.Position()) - directory);
    if (entries_.size() > 0xFFFF)
        throw Exception("a skin archive holds at most 65535 members");
    TBytes end;
    end.Text("PK\x05\x06");
    end.U16(0);
    end.U16(0);
    end.U16(static_cast<uint32_t>(entries_.size()));
    end.U16(static_cast<uint32_t>(entries_.size()));
    end.U32(directorySize);
    end.U32(directory);
    end.U16(0);
    end.WriteTo(target_);
}
