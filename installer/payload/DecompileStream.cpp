#include "installer/payload/DecompileStream.h"

#include "installer/payload/Inflate.h"
#include "installer/payload/SignedImage.h"
#include "toolkit/core/Exceptions.h"

namespace {
constexpr int64_t kPairSize = 8;
constexpr int64_t kCountSize = 4;
} // namespace

void TDecompileStream::Decompile(TStream& source)
{
    copy_.LoadFromStream(source);
    Decompile(copy_.View());
}

void TDecompileStream::Decompile(std::string_view file)
{
    count_ = 0;
    unpackedSizes_.clear();
    storedSizes_.clear();
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
    // A signed installer carries its signature after the payload: that is not ours to read.
    data_ = file.substr(0, static_cast<size_t>(::ContainerEnd(bytes, static_cast<int64_t>(file.size()))));
    ReadTrailer(ContainerEnd());
}

// The container runs to the end of the data, from which a signature has been cut: nothing may
// follow the entry count.
int64_t TDecompileStream::ContainerEnd() const { return DataSize(); }

// The count in the last 4 bytes before `end`, then the pairs before it.
void TDecompileStream::ReadTrailer(int64_t end)
{
    if (end < kCountSize)
        throw EReadError();
    count_ = ReadInt32At(end - kCountSize);
    // The pair farthest from the end comes first; when it lies inside the file all pairs do, so a
    // count too large for the file fails here, before any list grows.
    if (count_ > 0 && kPairSize * count_ + kCountSize > end)
        throw EReadError();
    for (int64_t n = int64_t(count_) - 1; n >= 0; --n) {
        const int64_t pair = end - (kPairSize * n + 12);
        unpackedSizes_.push_back(ReadInt32At(pair));
        storedSizes_.push_back(ReadInt32At(pair + 4));
    }
}

int32_t TDecompileStream::ReadInt32At(int64_t offset) const
{
    if (offset < 0 || offset > DataSize() - 4)
        throw EReadError();
    const uint8_t* p = ByteAt(offset);
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

int64_t TDecompileStream::DataSize() const { return static_cast<int64_t>(data_.size()); }

int32_t TDecompileStream::UnpackedSize(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= unpackedSizes_.size())
        throw EListError(index);
    return unpackedSizes_[static_cast<size_t>(index)];
}

int32_t TDecompileStream::StoredSize(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= storedSizes_.size())
        throw EListError(index);
    return storedSizes_[static_cast<size_t>(index)];
}

// Entry offsets add up in 32 bits, as writers of the format have always computed them; a sum
// that wraps below zero is caught as a read outside the data.
int64_t TDecompileStream::EntryOffset(int32_t index) const
{
    uint32_t offset = 0;
    for (int32_t j = 0; j < index; ++j)
        offset += static_cast<uint32_t>(StoredSize(j));
    return static_cast<int32_t>(offset);
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStream(int32_t index, bool forceInflate)
{
    auto result = std::make_unique<TMemoryStream>();
    if (index >= count_)
        return result;
    const int64_t stored = StoredSize(index);
    const int64_t unpacked = UnpackedSize(index);
    const int64_t offset = EntryOffset(index);
    if (offset < 0 || stored < 0 || offset + stored > DataSize())
        throw EReadError();
    const uint8_t* bytes = ByteAt(offset);
    if (stored != unpacked || forceInflate)
        InflateExactly(bytes, stored, unpacked, *result);
    else
        result->WriteBuffer(bytes, stored);
    return result;
}
