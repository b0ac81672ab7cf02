#include "toolkit/streams/Stream.h"

#include "toolkit/core/Exceptions.h"

#include <algorithm>
#include <vector>

int64_t TStream::Size()
{
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError();
}

int32_t TStream::ReadInt32()
{
    uint8_t bytes[4];
    ReadBuffer(bytes, 4);
    return static_cast<int32_t>(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                                uint32_t(bytes[3]) << 24);
}

void TStream::WriteInt32(int32_t value)
{
    auto bits = static_cast<uint32_t>(value);
    uint8_t bytes[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
    WriteBuffer(bytes, 4);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0)
        throw EReadError();
    constexpr int64_t kChunk = 1 << 16;
    std::vector<uint8_t> chunk(static_cast<size_t>(std::min(count, kChunk)));
    for (int64_t left = count; left > 0;) {
        int64_t n = std::min(left, kChunk);
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}
