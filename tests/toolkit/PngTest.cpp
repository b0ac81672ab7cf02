#include "toolkit/graphics/PngWriter.h"

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

const TBytes kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t Be32(const TBytes& bytes, size_t at)
{
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

void AddBe32(TBytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

struct TChunk {
    std::string type;
    TBytes data;
    uint32_t crc = 0;
};

// Splits a PNG into its chunks without judging them.
std::vector<TChunk> Chunks(const TBytes& png)
{
    std::vector<TChunk> chunks;
    for (size_t at = 8; at + 12 <= png.size();) {
        uint32_t length = Be32(png, at);
        TChunk c;
        c.type.assign(png.begin() + long(at) + 4, png.begin() + long(at) + 8);
        c.data.assign(png.begin() + long(at) + 8, png.begin() + long(at + 8 + length));
        c.crc = Be32(png, at + 8 + length);
        chunks.push_back(std::move(c));
        at += 12 + length;
    }
    return chunks;
}

uint32_t Crc(const std::string& type, const TBytes& data)
{
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
    return uint32_t(data.empty() ? crc : crc32(crc, data.data(), uInt(data.size())));
}

// Puts chunks together with correct lengths and CRCs, so a test can make a PNG that is well
// formed on the outside and wrong within.
TBytes MakePng(const std::vector<std::pair<std::string, TBytes>>& chunks)
{
    TBytes png = kSignature;
    for (const auto& [type, data] : chunks) {
        AddBe32(png, uint32_t(data.size()));
        png.insert(png.end(), type.begin(), type.end());
        png.insert(png.end(), data.begin(), data.end());
        AddBe32(png, Crc(type, data));
    }
    return png;
}

TBytes Ihdr(uint32_t width, uint32_t height, uint8_t depth = 8, uint8_t colorType = 2, uint8_t interlace = 0)
{
    TBytes d;
    AddBe32(d, width);
    AddBe32(d, height);
    d.insert(d.end(), {depth, colorType, 0, 0, interlace});
    return d;
}

TBytes Deflate(const TBytes& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    TBytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, raw.data(), uLong(raw.size()), 9), Z_OK);
    out.resize(size);
    return out;
}

TBytes Inflate(const TBytes& compressed, size_t size)
{
    TBytes out(size);
    uLongf length = size;
    EXPECT_EQ(uncompress(out.data(), &length, compressed.data(), uLong(compressed.size())), Z_OK);
    EXPECT_EQ(length, size);
    return out;
}

// A 2x1 RGB picture, unfiltered: (10,20,30) and (40,50,60).
TBytes TinyRows()
{
    return {0, 10, 20, 30, 40, 50, 60};
}

TBytes TinyPng()
{
    return MakePng({{"IHDR", Ihdr(2, 1)}, {"IDAT", Deflate(TinyRows())}, {"IEND", {}}});
}

TBytes Write(const TBitmap& b)
{
    TMemoryStream stream;
    WritePng(b, stream);
    auto view = stream.View();
    return TBytes(view.begin(), view.end());
}

bool Read(const TBytes& png, TBitmap& b)
{
    TMemoryStream stream;
    stream.WriteBuffer(png.data(), int64_t(png.size()));
    stream.SetPosition(0);
    return ReadPng(stream, b);
}

// Gradients, flat areas and noise, so that every filter wins somewhere.
TBitmap Picture(int width, int height, bool alpha)
{
    TBitmap b(width, height);
    b.SetPixelFormat(alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            uint32_t noise = seed >> 8;
            uint32_t smooth = uint32_t(x * 3) << 16 | uint32_t(y * 5) << 8 | uint32_t(x + y);
            uint32_t rgb = (y / 4) % 3 == 0 ? noise : (y / 4) % 3 == 1 ? smooth : 0x336699;
            uint32_t a = alpha ? uint32_t(x * 17 + y) & 0xFF : 0xFF;
            b.ScanLine(y)[x] = a << 24 | (rgb & 0xFFFFFF);
        }
    return b;
}

uint8_t Paeth(int a, int b, int c)
{
    int p = a + b - c;
    int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The filters written out plainly, as a check on the reader that does not share its code.
TBytes Filtered(const TBytes& raw, size_t rowSize, size_t bpp, int filter)
{
    TBytes out;
    for (size_t r = 0; r * rowSize < raw.size(); ++r) {
        const uint8_t* row = raw.data() + r * rowSize;
        const uint8_t* up = r > 0 ? row - rowSize : nullptr;
        out.push_back(uint8_t(filter));
        for (size_t i = 0; i < rowSize; ++i) {
            int a = i >= bpp ? row[i - bpp] : 0;
            int b = up ? up[i] : 0;
            int c = up && i >= bpp ? up[i - bpp] : 0;
            int predictions[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
            out.push_back(uint8_t(row[i] - predictions[filter]));
        }
    }
    return out;
}

void ExpectRejected(const TBytes& png, const std::string& why)
{
    TBitmap b(1, 1);
    b.SetPixel(0, 0, clRed);
    EXPECT_FALSE(Read(png, b)) << why;
    EXPECT_EQ(b.Width(), 1) << why;
    EXPECT_EQ(b.Pixel(0, 0), clRed) << why;
}

} // namespace

// --- writing ---

TEST(PngWriterTest, SignatureHeaderAndChunkCrcs)
{
    TBytes png = Write(Picture(5, 3, false));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(TBytes(png.begin(), png.begin() + 8), kSignature);
    std::vector<TChunk> chunks = Chunks(png);
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.front().data, Ihdr(5, 3));
    EXPECT_EQ(chunks.back().type, "IEND");
    EXPECT_TRUE(chunks.back().data.empty());
    size_t total = 8;
    for (const TChunk& c : chunks) {
        EXPECT_EQ(c.crc, Crc(c.type, c.data)) << c.type;
        EXPECT_TRUE(c.type == "IHDR" || c.type == "IDAT" || c.type == "IEND") << c.type;
        total += 12 + c.data.size();
    }
    EXPECT_EQ(total, png.size());
    // IEND's CRC is a fixed number.
    EXPECT_EQ(chunks.back().crc, 0xAE426082u);
}

TEST(PngWriterTest, ThirtyTwoBitBitmapsAreWrittenWithAlpha)
{
    std::vector<TChunk> chunks = Chunks(Write(Picture(4, 4, true)));
    EXPECT_EQ(chunks.front().data, Ihdr(4, 4, 8, 6));
}

TEST(PngWriterTest, CompressedRowsAreFilteredRowsOfTheRightSize)
{
    TBitmap b = Picture(6, 20, false);
    TBytes idat;
    for (const TChunk& c : Chunks(Write(b)))
        if (c.type == "IDAT")
            idat.insert(idat.end(), c.data.begin(), c.data.end());
    TBytes rows = Inflate(idat, 20 * (1 + 6 * 3));
    for (size_t r = 0; r < 20; ++r)
        EXPECT_LE(rows[r * 19], 4) << r;
}

TEST(PngWriterTest, OutputIsDeterministic)
{
    EXPECT_EQ(Write(Picture(17, 9, true)), Write(Picture(17, 9, true)));
}

TEST(PngWriterTest, EmptyBitmapIsRefused)
{
    TMemoryStream stream;
    EXPECT_THROW(WritePng(TBitmap(), stream), EInvalidGraphic);
    EXPECT_THROW(WritePng(TBitmap(4, 0), stream), EInvalidGraphic);
}

// --- round trips ---

TEST(PngRoundTripTest, RgbPicture)
{
    TBitmap source = Picture(33, 21, false);
    TBitmap b;
    ASSERT_TRUE(Read(Write(source), b));
    EXPECT_EQ(b, source);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(PngRoundTripTest, RgbaPictureKeepsAlpha)
{
    TBitmap source = Picture(19, 23, true);
    TBitmap b;
    ASSERT_TRUE(Read(Write(source), b));
    EXPECT_EQ(b, source);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
}

TEST(PngRoundTripTest, RgbDropsAlpha)
{
    TBitmap source(1, 1);
    source.ScanLine(0)[0] = 0x40123456;
    TBitmap b;
    ASSERT_TRUE(Read(Write(source), b));
    EXPECT_EQ(b.ScanLine(0)[0], 0xFF123456u);
}

TEST(PngRoundTripTest, LargePictureSpansSeveralIdatChunks)
{
    TBitmap source(600, 600);
    source.SetPixelFormat(TPixelFormat::pf32bit);
    uint32_t seed = 1;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 600; ++x) {
            seed = seed * 1664525u + 1013904223u;
            source.ScanLine(y)[x] = seed;
        }
    TBytes png = Write(source);
    int idats = 0;
    for (const TChunk& c : Chunks(png))
        idats += c.type == "IDAT";
    EXPECT_GE(idats, 2);
    TBitmap b;
    ASSERT_TRUE(Read(png, b));
    EXPECT_EQ(b, source);
}

TEST(PngRoundTripTest, Files)
{
    auto name = (std::filesystem::temp_directory_path() / "merrowin-png-test.png").string();
    TBitmap source = Picture(8, 8, true);
    SavePngToFile(source, name);
    TBitmap b;
    ASSERT_TRUE(LoadPngFromFile(name, b));
    EXPECT_EQ(b, source);
    std::filesystem::remove(name);
}

// --- reading what others may write ---

TEST(PngReaderTest, EveryFilterTypeDecodes)
{
    TBitmap source = Picture(7, 6, true);
    TBytes raw;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x) {
            uint32_t p = source.ScanLine(y)[x];
            raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
        }
    for (int filter = 0; filter < 5; ++filter) {
        TBytes png = MakePng({{"IHDR", Ihdr(7, 6, 8, 6)}, {"IDAT", Deflate(Filtered(raw, 28, 4, filter))}, {"IEND", {}}});
        TBitmap b;
        ASSERT_TRUE(Read(png, b)) << filter;
        EXPECT_EQ(b, source) << filter;
    }
}

TEST(PngReaderTest, PaethTiesFavourLeftThenAbove)
{
    // Grey 3x2. At (1,1) left 6, above 12, above-left 10 tie left with above-left; at (2,1)
    // left 14, above 8, above-left 12 tie above with above-left.
    const uint8_t grey[2][3] = {{10, 12, 8}, {6, 14, 77}};
    TBytes raw;
    TBitmap source(3, 2);
    source.SetPixelFormat(TPixelFormat::pf24bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            raw.insert(raw.end(), 3, grey[y][x]);
            source.SetPixel(x, y, RGB(grey[y][x], grey[y][x], grey[y][x]));
        }
    TBytes png = MakePng({{"IHDR", Ihdr(3, 2)}, {"IDAT", Deflate(Filtered(raw, 9, 3, 4))}, {"IEND", {}}});
    TBitmap b;
    ASSERT_TRUE(Read(png, b));
    EXPECT_EQ(b, source);
}

TEST(PngReaderTest, SplitDataAndAncillaryChunksAreFine)
{
    TBytes z = Deflate(TinyRows());
    TBytes png = MakePng({{"IHDR", Ihdr(2, 1)},
                          {"tEXt", {'a', 0, 'b'}},
                          {"PLTE", {1, 2, 3}},
                          {"IDAT", TBytes(z.begin(), z.begin() + 3)},
                          {"IDAT", {}},
                          {"IDAT", TBytes(z.begin() + 3, z.end())},
                          {"IEND", {}}});
    TBitmap b;
    ASSERT_TRUE(Read(png, b));
    EXPECT_EQ(b.ScanLine(0)[0], 0xFF0A141Eu);
    EXPECT_EQ(b.ScanLine(0)[1], 0xFF28323Cu);
}

TEST(PngReaderTest, StreamStandsAfterIend)
{
    TBytes png = TinyPng();
    TMemoryStream stream;
    stream.WriteBuffer(png.data(), int64_t(png.size()));
    stream.WriteBuffer("tail", 4);
    stream.SetPosition(0);
    TBitmap b;
    ASSERT_TRUE(ReadPng(stream, b));
    EXPECT_EQ(stream.Position(), int64_t(png.size()));
}

// --- hostile input ---

TEST(PngHostileTest, EveryTruncationIsRejected)
{
    TBytes png = Write(Picture(4, 3, true));
    for (size_t n = 0; n < png.size(); ++n)
        ExpectRejected(TBytes(png.begin(), png.begin() + long(n)), "length " + std::to_string(n));
}

TEST(PngHostileTest, AnyFlippedBitIsCaught)
{
    TBytes png = TinyPng();
    for (size_t at = 0; at < png.size(); ++at) {
        TBytes bad = png;
        bad[at] ^= 0x10;
        ExpectRejected(bad, "byte " + std::to_string(at));
    }
}

TEST(PngHostileTest, HeadersItDoesNotRead)
{
    TBytes idat = Deflate(TinyRows());
    const std::pair<TBytes, std::string> headers[] = {
        {Ihdr(0, 1), "zero width"},
        {Ihdr(2, 0), "zero height"},
        {Ihdr(100000, 100000), "huge"},
        {Ihdr(16385, 16384), "just past the limit"},
        {Ihdr(0x80000000u, 1), "width past int"},
        {Ihdr(2, 1, 16), "16-bit"},
        {Ihdr(2, 1, 4, 0), "4-bit grey"},
        {Ihdr(2, 1, 8, 0), "grey"},
        {Ihdr(2, 1, 8, 3), "palette"},
        {Ihdr(2, 1, 8, 4), "grey and alpha"},
        {Ihdr(2, 1, 8, 2, 1), "interlaced"},
    };
    for (const auto& [ihdr, why] : headers)
        ExpectRejected(MakePng({{"IHDR", ihdr}, {"IDAT", idat}, {"IEND", {}}}), why);
    TBytes longHeader = Ihdr(2, 1);
    longHeader.push_back(0);
    ExpectRejected(MakePng({{"IHDR", longHeader}, {"IDAT", idat}, {"IEND", {}}}), "IHDR of 14 bytes");
}

TEST(PngHostileTest, BadChunkOrder)
{
    TBytes idat = Deflate(TinyRows());
    ExpectRejected(MakePng({{"IDAT", idat}, {"IHDR", Ihdr(2, 1)}, {"IEND", {}}}), "IHDR second");
    ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"IDAT", idat}}), "no IEND");
    ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"IEND", {}}}), "no IDAT");
    ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"ABCD", {}}, {"IDAT", idat}, {"IEND", {}}}), "unknown critical");
}

TEST(PngHostileTest, WrongAmountOfImageData)
{
    TBytes rows = TinyRows();
    TBytes shortRows(rows.begin(), rows.end() - 1);
    TBytes longRows = rows;
    longRows.push_back(0);
    for (const TBytes& r : {shortRows, longRows, TBytes{}})
        ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"IDAT", Deflate(r)}, {"IEND", {}}}),
                       "rows of " + std::to_string(r.size()));
    TBytes z = Deflate(rows);
    ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"IDAT", TBytes(z.begin(), z.end() - 4)}, {"IEND", {}}}),
                   "no checksum");
    ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"IDAT", rows}, {"IEND", {}}}), "not deflated");
}

TEST(PngHostileTest, UnknownFilterType)
{
    TBytes rows = TinyRows();
    rows[0] = 5;
    ExpectRejected(MakePng({{"IHDR", Ihdr(2, 1)}, {"IDAT", Deflate(rows)}, {"IEND", {}}}), "filter 5");
}

TEST(PngHostileTest, ChunkLengthsPastTheEnd)
{
    for (uint32_t length : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 1000u}) {
        TBytes png = TinyPng();
        size_t idatAt = 8 + 12 + 13;
        png[idatAt] = uint8_t(length >> 24);
        png[idatAt + 1] = uint8_t(length >> 16);
        png[idatAt + 2] = uint8_t(length >> 8);
        png[idatAt + 3] = uint8_t(length);
        ExpectRejected(png, "length " + std::to_string(length));
    }
}

TEST(PngHostileTest, HugeHeaderWithTinyDataCostsNothing)
{
    TBytes rows(1 + 4 * 16384, 0);
    ExpectRejected(MakePng({{"IHDR", Ihdr(16384, 16384, 8, 6)}, {"IDAT", Deflate(rows)}, {"IEND", {}}}),
                   "one row of a huge picture");
}
