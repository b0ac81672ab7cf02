#include "skin/archive/SkinFileReader.h"

#include "platform/SystemServices.h"
#include "skin/archive/SkinArchive.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int64_t kHeaderSize = 24;
constexpr int64_t kRecordSize = 77;
constexpr size_t kNameSize = 64;
const char* const kDataMember = "SKINDATA.SK2";

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t I32(const uint8_t* p)
{
    return static_cast<int32_t>(U32(p));
}

bool SameText(const std::string& a, const std::string& b)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return upper(x) == upper(y);
           });
}

template <typename T>
const TSkinEntry<T>* Find(const std::vector<TSkinEntry<T>>& list, const std::string& name)
{
    for (const TSkinEntry<T>& entry : list)
        if (SameText(entry.name, name))
            return &entry;
    return nullptr;
}

// The pixels a BMP's header announces, read before the data is copied and decoded.
int64_t AnnouncedPixels(TStream& file, uint32_t dataOffset, uint32_t dataSize)
{
    uint8_t p[26];
    if (dataSize < sizeof p)
        return 0; // too short to be a picture; the decoder says so
    file.SetPosition(dataOffset);
    file.ReadBuffer(p, sizeof p);
    if (U32(p + 14) == 12)
        return int64_t(p[18] | p[19] << 8) * int64_t(p[20] | p[21] << 8);
    const int64_t width = I32(p + 18);
    const int64_t height = I32(p + 22);
    return (width < 0 ? -width : width) * (height < 0 ? -height : height);
}

// Charged before anything is read or allocated.
void Charge(int64_t& budget, int64_t cost)
{
    budget -= cost;
    if (budget < 0)
        throw ESkinDataError("skin records load more than the data justifies");
}

} // namespace

struct Tsk2SkinFileReader::TRecordHeader {
    std::string name;
    uint8_t kind;
    uint32_t dataOffset;
    uint32_t dataSize;
    uint32_t next;
};

Tsk2SkinFileReader::Tsk2SkinFileReader(const std::string& skinFile, const std::string& password,
                                       SystemServices& services)
{
    std::string temporary = services.TempPath();
    if (temporary.empty() || temporary.back() != services.PathSeparator())
        temporary += services.PathSeparator();
    temporary += services.NewGuid();

    const uint8_t result = ExtractSkinEntry(skinFile, kDataMember, temporary, password);
    if (result == skRefused)
        return;
    if (result != skExtracted)
        throw ESkinDataError("Failed to read skin file!");
    try {
        TFileStream file(temporary, TFileStream::fmOpenRead);
        ReadRecords(file);
    } catch (...) {
        services.RemoveFile(temporary);
        throw;
    }
    services.RemoveFile(temporary);
}

Tsk2SkinFileReader::Tsk2SkinFileReader(TStream& records)
{
    ReadRecords(records);
}

void Tsk2SkinFileReader::ReadRecords(TStream& file)
{
    const int64_t fileSize = file.Size();
    uint8_t header[kHeaderSize];
    file.SetPosition(0);
    file.ReadBuffer(header, 16);
    // Longer headers may carry more; this reader needs only the first 24 bytes of one.
    const int32_t headerLength = I32(header + 12);
    if (headerLength < kHeaderSize || headerLength > fileSize)
        throw ESkinDataError("bad skin data header length");
    file.ReadBuffer(header + 16, kHeaderSize - 16);

    // One bit for each place a record can start: an eighth of the file at most, whatever the
    // chain does.
    std::vector<bool> visited(size_t(std::max<int64_t>(fileSize - kRecordSize + 1, 0)));
    TLoadBudget budget{fileSize * kReadsPerFileByte, fileSize * kPixelsPerFileByte};
    for (uint32_t offset = U32(header + 20);;) {
        const TRecordHeader record = ReadRecordHeader(file, offset, fileSize);
        if (visited[offset])
            throw ESkinDataError("skin records loop");
        visited[offset] = true;
        if (record.next == 0)
            break;
        if (record.kind <= uint8_t(TSkinRecordKind::String))
            LoadRecord(file, record, budget);
        offset = record.next;
    }
    loaded_ = true;
}

Tsk2SkinFileReader::TRecordHeader Tsk2SkinFileReader::ReadRecordHeader(TStream& file, int64_t offset,
                                                                       int64_t fileSize)
{
    if (offset > fileSize - kRecordSize)
        throw ESkinDataError("skin record outside the data");
    uint8_t bytes[kRecordSize];
    file.SetPosition(offset);
    file.ReadBuffer(bytes, kRecordSize);
    const uint8_t* end = std::find(bytes, bytes + kNameSize, uint8_t(0));
    return {std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(end - bytes)), bytes[64], U32(bytes + 65), U32(bytes + 69), U32(bytes + 73)};
}

void Tsk2SkinFileReader::LoadRecord(TStream& file, const TRecordHeader& record, TLoadBudget& budget)
{
    if (int64_t(record.dataOffset) + int64_t(record.dataSize) > file.Size())
        throw ESkinDataError("skin record data outside the data");
    if (record.kind == uint8_t(TSkinRecordKind::Bitmap)) {
        const int64_t pixels = AnnouncedPixels(file, record.dataOffset, record.dataSize);
        if (pixels > kPixelsPerDataByte * int64_t(record.dataSize))
            throw ESkinDataError("skin picture larger than its data describes");
        Charge(budget.pixels, pixels);
    }
    Charge(budget.bytes, record.dataSize);
    TMemoryStream data;
    file.SetPosition(record.dataOffset);
    file.ReadBuffer(data.Tail(record.dataSize), record.dataSize);
    data.Extend(record.dataSize);
    const auto* bytes = data.Memory();

    const auto kind = static_cast<TSkinRecordKind>(record.kind);
    switch (kind) {
    case TSkinRecordKind::Bitmap: {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromStream(data);
        bitmaps_.push_back({record.name, std::move(bitmap)});
        records_.push_back({kind, bitmaps_.size() - 1});
        break;
    }
    case TSkinRecordKind::Integer:
        if (record.dataSize != 4)
            throw ESkinDataError("skin integer record of " + std::to_string(record.dataSize) + " bytes");
        integers_.push_back({record.name, I32(bytes)});
        records_.push_back({kind, integers_.size() - 1});
        break;
    case TSkinRecordKind::Flag:
        if (record.dataSize != 1)
            throw ESkinDataError("skin flag record of " + std::to_string(record.dataSize) + " bytes");
        flags_.push_back({record.name, bytes[0]});
        records_.push_back({kind, flags_.size() - 1});
        break;
    case TSkinRecordKind::String:
        strings_.push_back({record.name, std::string(data.View())});
        records_.push_back({kind, strings_.size() - 1});
        break;
    }
}

TBitmap* Tsk2SkinFileReader::GetBitmap(const std::string& name) const
{
    const auto* entry = Find(bitmaps_, name);
    return entry ? entry->value.get() : nullptr;
}

int32_t Tsk2SkinFileReader::GetInteger(const std::string& name) const
{
    const auto* entry = Find(integers_, name);
    return entry ? entry->value : -1;
}

uint8_t Tsk2SkinFileReader::GetFlag(const std::string& name) const
{
    const auto* entry = Find(flags_, name);
    return entry ? entry->value : 0;
}

const std::string* Tsk2SkinFileReader::GetString(const std::string& name) const
{
    const auto* entry = Find(strings_, name);
    return entry ? &entry->value : nullptr;
}
