#include "installer/payload/Inflate.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/MemoryStream.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace {

// Deflate cannot expand data by more than about 1032 to 1, but honest movies compress far less,
// so this first guess holds every real entry without regrowing while a hostile trailer that
// claims gigabytes costs nothing until the bytes actually arrive.
int64_t FirstCapacity(int64_t packedSize, int64_t unpackedSize)
{
    return std::min(unpackedSize, packedSize * 8 + (int64_t(1) << 16));
}

struct Inflater {
    z_stream z{};
    Inflater()
    {
        if (inflateInit(&z) != Z_OK)
            throw EZDecompressionError();
    }
    ~Inflater() { inflateEnd(&z); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
};

} // namespace

void InflateExactly(const uint8_t* packed, int64_t packedSize, int64_t unpackedSize, TMemoryStream& target)
{
    if (unpackedSize < 0)
        throw EReadError();
    if (unpackedSize == 0)
        return;
    Inflater inflater;
    z_stream& z = inflater.z;
    constexpr int64_t kMaxStep = std::numeric_limits<uInt>::max();
    target.Reserve(target.Size() + FirstCapacity(packedSize, unpackedSize));

    int64_t produced = 0;
    int64_t consumed = 0;
    while (produced < unpackedSize) {
        if (z.avail_in == 0 && consumed < packedSize) {
            z.next_in = const_cast<Bytef*>(packed + consumed);
            z.avail_in = static_cast<uInt>(std::min(packedSize - consumed, kMaxStep));
            consumed += z.avail_in;
        }
        // Output room doubles with what has arrived, up to what is still missing.
        int64_t room = std::min({unpackedSize - produced, std::max(produced, int64_t(1) << 16), kMaxStep});
        z.next_out = target.Tail(room);
        z.avail_out = static_cast<uInt>(room);

        int status = inflate(&z, Z_NO_FLUSH);
        int64_t written = room - z.avail_out;
        target.Extend(written);
        produced += written;
        if (status == Z_STREAM_END)
            break;
        if (status == Z_BUF_ERROR && z.avail_in == 0 && consumed == packedSize)
            break; // the data ran out before the stream ended
        if (status != Z_OK && status != Z_BUF_ERROR)
            throw EZDecompressionError(); // corrupt data, or a preset dictionary we cannot have
    }
    if (produced < unpackedSize)
        throw EReadError();
    target.Seek(0, TSeekOrigin::soEnd);
}
