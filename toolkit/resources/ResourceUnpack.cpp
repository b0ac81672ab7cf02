#include "toolkit/resources/ResourceUnpack.h"

#include <zlib.h>

#include <limits>

std::optional<std::string> UnpackResource(const TResourceEntry& entry)
{
    if (entry.size > std::numeric_limits<uInt>::max() || entry.unpackedSize > std::numeric_limits<uInt>::max())
        return std::nullopt;
    // One byte more than expected, so that a member holding more than it should is caught.
    std::string bytes(entry.unpackedSize + 1, '\0');
    z_stream stream{};
    // 16: a gzip member, whose trailer's check sum and length zlib verifies.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return std::nullopt;
    stream.next_in = const_cast<Bytef*>(entry.data);
    stream.avail_in = static_cast<uInt>(entry.size);
    stream.next_out = reinterpret_cast<Bytef*>(bytes.data());
    stream.avail_out = static_cast<uInt>(bytes.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == entry.unpackedSize && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!whole)
        return std::nullopt;
    bytes.resize(entry.unpackedSize);
    return bytes;
}
