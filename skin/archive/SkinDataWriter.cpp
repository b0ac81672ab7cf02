#include "skin/archive/SkinDataWriter.h"

#include "toolkit/core/Exceptions.h"

#include <limits>

namespace {

constexpr size_t kNameSize = 64;
constexpr int32_t kHeaderSize = 24;
constexpr int32_t kRecordSize = 77;

void Put32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

void PutRecord(std::string& out, const std::string& name, uint8_t kind, uint32_t dataOffset, uint32_t dataSize,
               uint32_t next)
{
    out += name;
    out.append(kNameSize - name.size(), '\0');
    out.push_back(static_cast<char>(kind));
    Put32(out, dataOffset);
    Put32(out, dataSize);
    Put32(out, next);
}

} // namespace

TSkinDataWriter::TSkinDataWriter()
{
    bytes_ = "KELVARIN_SK2";
    Put32(bytes_, kHeaderSize);
    Put32(bytes_, 2);
    Put32(bytes_, kHeaderSize);
}

void TSkinDataWriter::AddRecord(const std::string& name, uint8_t kind, std::string_view data)
{
    if (name.empty() || name.size() > kNameSize || name.find('\0') != std::string::npos)
        throw Exception("a skin record name must hold 1 to 64 bytes and no zero byte: '" + name + "'");
    const uint64_t dataOffset = bytes_.size() + kRecordSize;
    const uint64_t next = dataOffset + data.size();
    if (next + kRecordSize > std::numeric_limits<uint32_t>::max())
        throw Exception("skin data must stay below 4 GiB");
    PutRecord(bytes_, name, kind, static_cast<uint32_t>(dataOffset), static_cast<uint32_t>(data.size()),
              static_cast<uint32_t>(next));
    bytes_.append(data);
}

void TSkinDataWriter::AddBitmap(const std::string& name, std::string_view bmp)
{
    AddRecord(name, 0, bmp);
}

void TSkinDataWriter::AddInteger(const std::string& name, int32_t value)
{
    std::string data;
    Put32(data, static_cast<uint32_t>(value));
    AddRecord(name, 1, data);
}

void TSkinDataWriter::AddFlag(const std::string& name, uint8_t value)
{
    AddRecord(name, 2, std::string(1, static_cast<char>(value)));
}

void TSkinDataWriter::AddString(const std::string& name, std::string_view text)
{
    AddRecord(name, 3, text);
}

std::string TSkinDataWriter::Bytes() const
{
    std::string out = bytes_;
    PutRecord(out, std::string(), 2, 0, 0, 0);
    return out;
}
