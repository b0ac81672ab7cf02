#include "toolkit/core/Deflater.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// Compresses `input` handed over in pieces of `piece` bytes (all at once for 0).
TBytes Deflate(const TBytes& input, size_t piece = 0)
{
    TDeflater deflater;
    if (piece == 0)
        piece = input.size() + 1;
    for (size_t at = 0; at < input.size(); at += piece)
        deflater.Add(input.data() + at, std::min(piece, input.size() - at));
    deflater.Finish();
    return deflater.Output();
}

// zlib's inflater is the judge: the stream must end exactly, with a matching checksum.
TBytes Inflate(const TBytes& packed, size_t expected)
{
    TBytes out(expected + 1);
    uLongf outSize = uLongf(out.size());
    uLong used = uLong(packed.size());
    EXPECT_EQ(uncompress2(out.data(), &outSize, packed.data(), &used), Z_OK);
    EXPECT_EQ(used, packed.size()) << "bytes after the end of the stream";
    out.resize(outSize);
    return out;
}

TBytes Random(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    TBytes bytes(size);
    for (uint8_t& b : bytes)
        b = uint8_t(random());
    return bytes;
}

void ExpectRoundTrip(const TBytes& input, size_t piece = 0)
{
    const TBytes packed = Deflate(input, piece);
    EXPECT_EQ(Inflate(packed, input.size()), input) << input.size() << " bytes in pieces of " << piece;
}

TEST(DeflaterTest, EmptyAndTinyInputsMakeCompleteStreams)
{
    ExpectRoundTrip({});
    ExpectRoundTrip({0x00});
    ExpectRoundTrip({0xFF, 0x90});
    ExpectRoundTrip({7, 7, 7});
}

TEST(DeflaterTest, EveryLiteralAndEveryLengthAndDistanceCode)
{
    // All 256 byte values, as literals and inside matches of every length up to the longest
    // (258) at distances across all the distance codes up to the window's 32 KB.
    TBytes input;
    for (int i = 0; i < 256; ++i)
        input.push_back(uint8_t(i));
    for (uint8_t period = 1; period <= 8; ++period)   // the shortest distances
        for (int i = 0; i < 100; ++i)
            input.push_back(uint8_t(0xF0 + i % period));
    const TBytes noise = Random(33000, 1);
    for (size_t length = 3; length <= 258; length += 1) {
        const size_t distance = 1 + (length * 131) % 32768;
        const size_t from = input.size() >= distance ? input.size() - distance : 0;
        input.insert(input.end(), noise.begin() + ptrdiff_t(length * 7), noise.begin() + ptrdiff_t(length * 7 + 40));
        for (size_t i = 0; i < length; ++i)
            input.push_back(input[from + i]);
    }
    input.insert(input.end(), noise.begin(), noise.end());
    input.insert(input.end(), noise.begin(), noise.begin() + 300);   // 33000 back: too far
    ExpectRoundTrip(input);
}

TEST(DeflaterTest, PiecesOfAnySizeGiveTheSameData)
{
    // Repetitive data far longer than the window, so the history slides many times, with matches
    // crossing the pieces' edges.
    TBytes input;
    const TBytes noise = Random(5000, 2);
    for (int i = 0; i < 60; ++i) {
        input.insert(input.end(), noise.begin() + i * 50, noise.end());
        input.insert(input.end(), size_t(i * 37), uint8_t(i));
    }
    ASSERT_GT(input.size(), 4 * 32768u);
    for (size_t piece : {size_t(0), size_t(1), size_t(257), size_t(259), size_t(4096), size_t(70000)})
        ExpectRoundTrip(input, piece);
}

TEST(DeflaterTest, CompressesWhatRepeatsAndBoundsWhatDoesNot)
{
    // A run costs 13 bits per longest match (258 bytes) with the fixed codes.
    const TBytes runs(1 << 20, 0xAB);
    EXPECT_LT(Deflate(runs).size(), runs.size() / 150);
    ExpectRoundTrip(runs, 1000);

    // Incompressible bytes cost at most 9 bits each (the upper literals) plus the framing.
    const TBytes noise = Random(100000, 3);
    EXPECT_LE(Deflate(noise).size(), noise.size() * 9 / 8 + 16);
    ExpectRoundTrip(noise);
}

}  // namespace
