#pragma once

#include "toolkit/streams/MemoryStream.h"

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

// Containers laid out byte by byte, so that tests can write trailers no honest writer would.
struct TrailerPair {
    int32_t unpacked;
    int32_t stored;
};

inline std::string Zlib(const std::string& bytes, int level = 9)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
              static_cast<uLong>(bytes.size()), level);
    packed.resize(size);
    return packed;
}

inline void PutInt32(std::string& out, int32_t value)
{
    auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(bits >> (8 * i)));
}

inline std::string Container(const std::string& body, const std::vector<TrailerPair>& pairs, int32_t count)
{
    std::string out = body;
    for (const TrailerPair& pair : pairs) {
        PutInt32(out, pair.unpacked);
        PutInt32(out, pair.stored);
    }
    PutInt32(out, count);
    return out;
}

inline std::string Container(const std::string& body, const std::vector<TrailerPair>& pairs)
{
    return Container(body, pairs, static_cast<int32_t>(pairs.size()));
}

inline void Fill(TMemoryStream& stream, const std::string& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
}
