#include "toolkit/graphics/BmpCodec.h"

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr uint32_t kBlack = 0xFF000000;

void Add16(TBytes& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Add32(TBytes& out, uint32_t v)
{
    Add16(out, v);
    Add16(out, v >> 16);
}

// A .bmp file put together field by field, so each test says only what it changes.
struct TBmpParts {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks; // after a 40-byte header, inside a bigger one
    std::vector<uint32_t> palette; // 0xRRGGBB
    TBytes pixels;
    size_t gap = 0; // junk between the palette and the pixels
    std::optional<uint32_t> offBits;

    TBytes InfoHeader() const
    {
        TBytes h;
        Add32(h, headerSize);
        if (headerSize == 12) {
            Add16(h, uint32_t(width));
            Add16(h, uint32_t(height));
            Add16(h, 1);
            Add16(h, bits);
            return h;
        }
        for (uint32_t v : {uint32_t(width), uint32_t(height)})
            Add32(h, v);
        Add16(h, 1);
        Add16(h, bits);
        for (uint32_t v : {compression, imageSize, 2835u, 2835u, colorsUsed, 0u})
            Add32(h, v);
        for (size_t i = 0; i < masks.size() && h.size() + 4 <= headerSize && headerSize > 40; ++i)
            Add32(h, masks[i]);
        h.resize(std::max<size_t>(h.size(), headerSize), 0);
        if (headerSize == 40)
            for (uint32_t m : masks)
                Add32(h, m);
        return h;
    }

    TBytes Build() const
    {
        TBytes body = InfoHeader();
        for (uint32_t c : palette) {
            body.insert(body.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
            if (headerSize != 12)
                body.push_back(0);
        }
        uint32_t natural = uint32_t(14 + body.size() + gap);
        body.insert(body.end(), gap, 0xEE);
        body.insert(body.end(), pixels.begin(), pixels.end());
        TBytes file = {'B', 'M'};
        Add32(file, uint32_t(14 + body.size()));
        Add32(file, 0);
        Add32(file, offBits.value_or(natural));
        file.insert(file.end(), body.begin(), body.end());
        return file;
    }
};

TBitmap Load(const TBytes& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    return bitmap;
}

TBitmap LoadDib(const TBytes& file)
{
    TMemoryStream stream;
    stream.WriteBuffer(file.data() + 14, int64_t(file.size() - 14));
    stream.SetPosition(0);
    TBitmap bitmap;
    ReadDib(stream, bitmap);
    return bitmap;
}

uint32_t Raw(const TBitmap& bitmap, int x, int y)
{
    return bitmap.ScanLine(y)[x];
}

std::vector<uint32_t> Row(const TBitmap& bitmap, int y)
{
    return std::vector<uint32_t>(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
}

TBytes Save(const TBitmap& bitmap, TBmpDepth depth)
{
    TMemoryStream stream;
    WriteBmp(bitmap, stream, depth);
    auto view = stream.View();
    return TBytes(view.begin(), view.end());
}

uint32_t Le32(const TBytes& bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

// A small picture in the palette-free depths, 4 pixels wide so no row needs padding.
TBmpParts Plain24()
{
    TBmpParts p;
    p.width = 4;
    p.height = 2;
    for (int i = 0; i < 24; ++i)
        p.pixels.push_back(uint8_t(i * 10));
    return p;
}

TBmpParts Plain8()
{
    TBmpParts p;
    p.width = 4;
    p.height = 2;
    p.bits = 8;
    p.colorsUsed = 4;
    p.palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    p.pixels = {0, 1, 2, 3, 3, 2, 1, 0};
    return p;
}

TBmpParts Rle8(int width, int height, TBytes data)
{
    TBmpParts p;
    p.width = width;
    p.height = height;
    p.bits = 8;
    p.compression = kRle8;
    p.colorsUsed = 4;
    p.palette = {0x101010, 0x202020, 0x303030, 0x404040};
    p.pixels = std::move(data);
    return p;
}

TBmpParts Rle4(int width, int height, TBytes data)
{
    TBmpParts p = Rle8(width, height, std::move(data));
    p.bits = 4;
    p.compression = kRle4;
    return p;
}

} // namespace

// --- palettes ---

TEST(BmpReaderTest, OneBitBottomUpUsesBothPaletteEntriesAndSkipsPadding)
{
    TBmpParts p;
    p.width = 3;
    p.height = 2;
    p.bits = 1;
    p.palette = {0x102030, 0xA0B0C0};
    p.pixels = {0xA0, 0, 0, 0, 0x40, 0, 0, 0}; // bottom row 101, top row 010
    TBitmap b = Load(p.Build());
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF102030, 0xFFA0B0C0, 0xFF102030}));
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0xFFA0B0C0, 0xFF102030, 0xFFA0B0C0}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf1bit);
}

TEST(BmpReaderTest, FourBitTakesHighNibbleFirstAndHonoursColorsUsed)
{
    TBmpParts p;
    p.width = 3;
    p.bits = 4;
    p.colorsUsed = 3;
    p.palette = {0x112233, 0x445566, 0x778899};
    p.pixels = {0x20, 0x10, 0, 0};
    TBitmap b = Load(p.Build());
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF778899, 0xFF112233, 0xFF445566}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf4bit);
}

TEST(BmpReaderTest, IndexPastTheListedColoursReadsAsBlack)
{
    TBmpParts p;
    p.width = 2;
    p.bits = 8;
    p.colorsUsed = 2;
    p.palette = {0xFFFFFF, 0x808080};
    p.pixels = {1, 200, 0, 0};
    TBitmap b = Load(p.Build());
    EXPECT_EQ(Raw(b, 0, 0), 0xFF808080u);
    EXPECT_EQ(Raw(b, 1, 0), kBlack);
}

TEST(BmpReaderTest, EightBitTopDownKeepsTheFirstStoredRowOnTop)
{
    TBmpParts p;
    p.width = 2;
    p.height = -2;
    p.bits = 8;
    p.colorsUsed = 3;
    p.palette = {0x0000FF, 0x00FF00, 0xFF0000};
    p.pixels = {0, 1, 0, 0, 2, 0, 0, 0};
    TBitmap b = Load(p.Build());
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF0000FF, 0xFF00FF00}));
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
}

TEST(BmpReaderTest, CoreHeaderReadsThreeBytePaletteOfFullSize)
{
    TBmpParts p;
    p.headerSize = 12;
    p.width = 2;
    p.bits = 8;
    for (uint32_t i = 0; i < 256; ++i)
        p.palette.push_back(i * 0x010101u);
    p.pixels = {1, 255, 0, 0};
    TBitmap b = Load(p.Build());
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF010101, 0xFFFFFFFF}));
}

TEST(BmpReaderTest, CoreHeaderTwentyFourBit)
{
    TBmpParts p;
    p.headerSize = 12;
    p.pixels = {0x33, 0x22, 0x11, 0};
    EXPECT_EQ(Raw(Load(p.Build()), 0, 0), 0xFF112233u);
}

// --- direct colour ---

TEST(BmpReaderTest, SixteenBitDefaultsToFiveFiveFive)
{
    TBmpParts p;
    p.width = 3;
    p.bits = 16;
    p.pixels = {0x00, 0x7C, 0xE0, 0x03, 0x10, 0x00, 0, 0};
    TBitmap b = Load(p.Build());
    // 16 of 31 scales to 132.
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF000084}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf15bit);
}

TEST(BmpReaderTest, SixteenBitFiveSixFiveBitFields)
{
    TBmpParts p;
    p.width = 3;
    p.bits = 16;
    p.compression = kBitFields;
    p.masks = {0xF800, 0x07E0, 0x001F};
    p.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0, 0};
    TBitmap b = Load(p.Build());
    // 1 of 63 scales to 4.
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF000400}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf16bit);
}

TEST(BmpReaderTest, TwentyFourBitRowOrdersGiveTheSamePicture)
{
    TBmpParts up;
    up.width = 2;
    up.height = 2;
    up.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    TBmpParts down = up;
    down.height = -2;
    down.pixels = {7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
    TBitmap a = Load(up.Build());
    TBitmap b = Load(down.Build());
    EXPECT_EQ(a, b);
    EXPECT_EQ(Row(a, 0), (std::vector<uint32_t>{0xFF090807, 0xFF0C0B0A}));
    EXPECT_EQ(Row(a, 1), (std::vector<uint32_t>{0xFF030201, 0xFF060504}));
    EXPECT_EQ(a.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(BmpReaderTest, ThirtyTwoBitRgbIgnoresTheFourthByte)
{
    TBmpParts p;
    p.bits = 32;
    p.pixels = {0x11, 0x22, 0x33, 0x44};
    TBitmap b = Load(p.Build());
    EXPECT_EQ(Raw(b, 0, 0), 0xFF332211u);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
}

TEST(BmpReaderTest, ThirtyTwoBitFieldsWithoutAlphaMaskAreOpaque)
{
    TBmpParts p;
    p.bits = 32;
    p.compression = kBitFields;
    p.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    p.pixels = {0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(Raw(Load(p.Build()), 0, 0), 0xFF112233u);
}

TEST(BmpReaderTest, VersionFiveHeaderAlphaMaskIsRead)
{
    for (uint32_t size : {56u, 108u, 124u}) {
        TBmpParts p;
        p.headerSize = size;
        p.bits = 32;
        p.compression = kBitFields;
        p.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        p.pixels = {0x11, 0x22, 0x33, 0x44};
        EXPECT_EQ(Raw(Load(p.Build()), 0, 0), 0x44332211u) << size;
    }
}

TEST(BmpReaderTest, VersionFourMasksMeanNothingWithoutBitFields)
{
    TBmpParts p;
    p.headerSize = 108;
    p.bits = 32;
    p.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    p.pixels = {0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(Raw(Load(p.Build()), 0, 0), 0xFF332211u);
}

TEST(BmpReaderTest, AlphaBitFieldsFollowAnInfoHeader)
{
    TBmpParts p;
    p.bits = 32;
    p.compression = kAlphaBitFields;
    p.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    p.pixels = {0x11, 0x22, 0x33, 0x80};
    EXPECT_EQ(Raw(Load(p.Build()), 0, 0), 0x80112233u);
}

// --- layout ---

TEST(BmpReaderTest, LastRowMayLackItsPadding)
{
    TBmpParts p;
    p.height = 2;
    p.pixels = {1, 2, 3, 0, 4, 5, 6};
    TBitmap b = Load(p.Build());
    EXPECT_EQ(Raw(b, 0, 0), 0xFF060504u);
    EXPECT_EQ(Raw(b, 0, 1), 0xFF030201u);
}

TEST(BmpReaderTest, PixelsStartWhereTheFileHeaderSays)
{
    TBmpParts p = Plain8();
    p.gap = 6;
    EXPECT_EQ(Load(p.Build()), Load(Plain8().Build()));
}

TEST(BmpReaderTest, StreamStandsAfterThePictureSoTwoCanFollowEachOther)
{
    TBmpParts padded = Plain24();
    padded.width = 1;
    padded.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    TBytes first = padded.Build();
    TBytes second = Plain24().Build();
    TMemoryStream stream;
    stream.WriteBuffer(first.data(), int64_t(first.size()));
    stream.WriteBuffer(second.data(), int64_t(second.size()));
    stream.SetPosition(0);
    TBitmap a, b;
    a.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), int64_t(first.size()));
    b.LoadFromStream(stream);
    EXPECT_EQ(a, Load(first));
    EXPECT_EQ(b, Load(second));
}

TEST(BmpReaderTest, ZeroSizedPictureIsEmpty)
{
    TBmpParts p;
    p.width = 0;
    p.height = 0;
    EXPECT_TRUE(Load(p.Build()).Empty());
}

TEST(BmpDibTest, PackedDibWithPaletteMatchesTheFile)
{
    TBytes file = Plain8().Build();
    EXPECT_EQ(LoadDib(file), Load(file));
}

TEST(BmpDibTest, PackedDibWithBitFieldsAndUnusedColourList)
{
    TBmpParts p;
    p.bits = 16;
    p.compression = kBitFields;
    p.masks = {0xF800, 0x07E0, 0x001F};
    p.colorsUsed = 2;
    p.palette = {0x123456, 0x654321}; // listed for palette devices; pixels follow it
    p.pixels = {0x00, 0xF8, 0, 0};
    EXPECT_EQ(Raw(LoadDib(p.Build()), 0, 0), 0xFFFF0000u);
}

// --- RLE ---

TEST(BmpRleTest, Rle8EncodedAndAbsoluteRunsWithEndOfLine)
{
    TBytes data = {3, 1, 0, 0, 0, 3, 2, 3, 0, 0, 0, 1};
    TBitmap b = Load(Rle8(4, 2, data).Build());
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0xFF202020, 0xFF202020, 0xFF202020, kBlack}));
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF303030, 0xFF404040, 0xFF101010, kBlack}));
}

TEST(BmpRleTest, Rle8DeltaSkipsPixelsWhichStayBlack)
{
    TBytes data = {0, 2, 2, 1, 1, 3, 0, 1};
    TBitmap b = Load(Rle8(4, 3, data).Build());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Raw(b, x, y), x == 2 && y == 1 ? 0xFF404040u : kBlack) << x << "," << y;
}

TEST(BmpRleTest, Rle4AlternatesNibblesAndPadsAbsoluteRuns)
{
    // Bottom row: run 1,2 then literal 1,3,0. Top row: literal 2,3,1 then run 0,0. Each
    // three-pixel literal takes two bytes, already a whole 16-bit word.
    TBytes data = {2, 0x12, 0, 3, 0x13, 0x00, 0, 0, 0, 3, 0x23, 0x10, 2, 0x00, 0, 1};
    TBitmap b = Load(Rle4(5, 2, data).Build());
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0xFF202020, 0xFF303030, 0xFF202020, 0xFF404040, 0xFF101010}));
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF303030, 0xFF404040, 0xFF202020, 0xFF101010, 0xFF101010}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf4bit);
}

TEST(BmpRleTest, Rle4LiteralOfThreeBytesSkipsItsPadByte)
{
    // Five indices 1,2,3,0,1 fill three bytes and a pad; the next row starts with a run of 3s.
    TBytes data = {0, 5, 0x12, 0x30, 0x10, 0x00, 0, 0, 1, 0x30, 0, 1};
    TBitmap b = Load(Rle4(5, 2, data).Build());
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0xFF202020, 0xFF303030, 0xFF404040, 0xFF101010, 0xFF202020}));
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF404040, kBlack, kBlack, kBlack, kBlack}));
}

TEST(BmpRleTest, OddAbsoluteRunSkipsItsPadByte)
{
    TBytes data = {0, 3, 1, 2, 3, 0, 1, 0, 0, 1};
    TBitmap b = Load(Rle8(4, 1, data).Build());
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF202020, 0xFF303030, 0xFF404040, 0xFF101010}));
}

TEST(BmpRleTest, RunsPastTheRightEdgeAndTheTopAreClipped)
{
    // A run of 5 and a literal of 4 on rows 2 wide, then a delta far above the picture
    // followed by a run that must land nowhere.
    TBytes data = {5, 1, 0, 0, 0, 4, 2, 2, 2, 2, 0, 2, 0, 200, 3, 3};
    TBitmap b = Load(Rle8(2, 2, data).Build());
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0xFF202020, 0xFF202020}));
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF303030, 0xFF303030}));
}

TEST(BmpRleTest, DeltaPastTheRightEdgeDropsTheRestOfTheLine)
{
    TBytes data = {0, 2, 250, 0, 2, 3, 0, 0, 1, 1, 0, 1};
    TBitmap b = Load(Rle8(2, 2, data).Build());
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{kBlack, kBlack}));
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF202020, kBlack}));
}

TEST(BmpRleTest, DataEndingBetweenCommandsEndsThePicture)
{
    TBitmap b = Load(Rle8(2, 1, {2, 3}).Build());
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0xFF404040, 0xFF404040}));
}

TEST(BmpRleTest, ImageSizeBoundsTheData)
{
    TBmpParts p = Rle8(2, 1, {1, 3, 1, 3});
    p.imageSize = 2;
    EXPECT_EQ(Row(Load(p.Build()), 0), (std::vector<uint32_t>{0xFF404040, kBlack}));
}

TEST(BmpRleTest, CommandsCutOffByTheEndAreInvalid)
{
    const TBytes cut[] = {
        {3},                 // half a run
        {0, 2, 1},           // half a delta
        {0, 5, 1, 2, 3},     // literal short of its pixels
        {0, 5, 1, 2, 3, 4, 5}, // literal short of its pad byte
    };
    for (const TBytes& data : cut)
        EXPECT_THROW(Load(Rle8(8, 2, data).Build()), EInvalidGraphic) << data.size();
    EXPECT_THROW(Load(Rle4(8, 2, {0, 5, 0x12, 0x34}).Build()), EInvalidGraphic);
}

TEST(BmpRleTest, WrongDepthOrTopDownIsInvalid)
{
    TBmpParts topDown = Rle8(2, -2, {0, 1});
    EXPECT_THROW(Load(topDown.Build()), EInvalidGraphic);
    TBmpParts rle8At4 = Rle8(2, 2, {0, 1});
    rle8At4.bits = 4;
    EXPECT_THROW(Load(rle8At4.Build()), EInvalidGraphic);
    TBmpParts rle4At8 = Rle4(2, 2, {0, 1});
    rle4At8.bits = 8;
    EXPECT_THROW(Load(rle4At8.Build()), EInvalidGraphic);
}

// --- hostile input ---

TEST(BmpHostileTest, EveryTruncationOfAValidFileFails)
{
    TBmpParts v5;
    v5.headerSize = 124;
    v5.width = 2;
    v5.bits = 32;
    v5.compression = kBitFields;
    v5.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    v5.pixels = TBytes(8, 0x7F);
    TBmpParts core = Plain8();
    core.headerSize = 12;
    core.palette.resize(256);
    for (const TBytes& file : {Plain24().Build(), Plain8().Build(), v5.Build(), core.Build()}) {
        ASSERT_NO_THROW(Load(file));
        for (size_t n = 0; n < file.size(); ++n)
            EXPECT_THROW(Load(TBytes(file.begin(), file.begin() + long(n))), EInvalidGraphic) << n;
    }
}

TEST(BmpHostileTest, TheErrorIsTheToolkitsInvalidBitmap)
{
    try {
        Load({'B', 'M'});
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "位图无效");
    }
}

TEST(BmpHostileTest, WrongSignature)
{
    TBytes file = Plain24().Build();
    file[0] = 'M';
    file[1] = 'B';
    EXPECT_THROW(Load(file), EInvalidGraphic);
}

TEST(BmpHostileTest, UnknownHeaderSizes)
{
    for (uint32_t size : {0u, 4u, 16u, 41u, 64u, 200u, 0xFFFFFFFFu}) {
        TBytes file = Plain24().Build();
        file[14] = uint8_t(size);
        file[15] = uint8_t(size >> 8);
        file[16] = uint8_t(size >> 16);
        file[17] = uint8_t(size >> 24);
        EXPECT_THROW(Load(file), EInvalidGraphic) << size;
    }
}

TEST(BmpHostileTest, PalettePastTheEnd)
{
    TBmpParts p = Plain8();
    p.colorsUsed = 0; // claims all 256 entries, gives 4
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
}

TEST(BmpHostileTest, MoreColoursThanTheDepthAllows)
{
    TBmpParts p = Plain8();
    p.bits = 1;
    p.colorsUsed = 3;
    p.palette.resize(3);
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
    p.bits = 8;
    p.colorsUsed = 0xFFFFFFFF;
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
}

TEST(BmpHostileTest, HugeOrNegativeDimensions)
{
    const std::pair<int32_t, int32_t> sizes[] = {
        {100000, 100000}, {16385, 16384}, {-1, 1}, {1, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {INT_MAX, INT_MAX},
    };
    for (auto [w, h] : sizes) {
        TBmpParts p = Plain24();
        p.width = w;
        p.height = h;
        EXPECT_THROW(Load(p.Build()), EInvalidGraphic) << w << "x" << h;
        p.bits = 8;
        p.compression = kRle8;
        p.pixels = {0, 1};
        EXPECT_THROW(Load(p.Build()), EInvalidGraphic) << w << "x" << h << " RLE";
    }
    TBmpParts core = Plain24();
    core.headerSize = 12;
    core.width = 65535;
    core.height = 65535;
    EXPECT_THROW(Load(core.Build()), EInvalidGraphic);
}

TEST(BmpHostileTest, LargeDimensionsWithTooFewPixelsFailBeforeAllocating)
{
    TBmpParts p = Plain24();
    p.width = 16384;
    p.height = 16384;
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
}

TEST(BmpHostileTest, PixelOffsetPastTheEndOrInsideTheHeaders)
{
    TBmpParts p = Plain24();
    p.offBits = uint32_t(p.Build().size() + 1);
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
    p.offBits = 0xFFFFFFFF;
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
    p.offBits = 20;
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
}

TEST(BmpHostileTest, PixelsCutShort)
{
    TBmpParts p = Plain24();
    p.pixels.resize(p.pixels.size() - 1);
    EXPECT_THROW(Load(p.Build()), EInvalidGraphic);
}

TEST(BmpHostileTest, UnknownDepthsAndCompressions)
{
    const std::pair<uint16_t, uint32_t> kinds[] = {
        {0, kRgb}, {2, kRgb}, {64, kRgb}, {24, kBitFields}, {8, kBitFields}, {24, kRle8},
        {8, 4}, {8, 5}, {32, 7}, {32, 0xFFFFFFFF},
    };
    for (auto [bits, compression] : kinds) {
        TBmpParts p = Plain24();
        p.bits = bits;
        p.compression = compression;
        p.masks = compression == kBitFields ? std::vector<uint32_t>{0xFF, 0xFF00, 0xFF0000} : std::vector<uint32_t>{};
        p.pixels.resize(256);
        EXPECT_THROW(Load(p.Build()), EInvalidGraphic) << bits << "/" << compression;
    }
}

TEST(BmpHostileTest, FailureLeavesTheBitmapAsItWas)
{
    TBitmap b = Load(Plain8().Build());
    TBitmap before = b;
    TBytes bad = Plain24().Build();
    bad.resize(bad.size() - 3);
    TMemoryStream stream;
    stream.WriteBuffer(bad.data(), int64_t(bad.size()));
    stream.SetPosition(0);
    EXPECT_THROW(b.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(b, before);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
}

TEST(BmpHostileTest, EmptyStreamAndEmptyDib)
{
    EXPECT_THROW(Load({}), EInvalidGraphic);
    TMemoryStream empty;
    TBitmap b;
    EXPECT_THROW(ReadDib(empty, b), EInvalidGraphic);
}

TEST(BmpHostileTest, DibWithColourListPastTheEnd)
{
    TBmpParts p;
    p.bits = 24;
    p.colorsUsed = 0x40000000;
    p.pixels = {1, 2, 3, 0};
    EXPECT_THROW(LoadDib(p.Build()), EInvalidGraphic);
}

// --- writing ---

TEST(BmpWriterTest, TwentyFourBitLayoutIsBottomUpAndPadded)
{
    TBitmap b(3, 2);
    b.SetPixel(0, 0, RGB(1, 2, 3));
    b.SetPixel(2, 1, RGB(4, 5, 6));
    TBytes file = Save(b, TBmpDepth::bits24);
    ASSERT_EQ(file.size(), 54u + 2 * 12);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 10), 54u);
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 18), 3u);
    EXPECT_EQ(Le32(file, 22), 2u);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(Le32(file, 30), kRgb);
    EXPECT_EQ(Le32(file, 34), 24u);
    // The bottom row comes first: its last pixel is (4,5,6) as B,G,R.
    EXPECT_EQ(TBytes(file.begin() + 54 + 6, file.begin() + 54 + 12), (TBytes{6, 5, 4, 0, 0, 0}));
    EXPECT_EQ(TBytes(file.begin() + 66, file.begin() + 69), (TBytes{3, 2, 1}));
}

TEST(BmpWriterTest, TwentyFourBitRoundTrip)
{
    TBitmap b(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            b.SetPixel(x, y, RGB(uint8_t(x * 40), uint8_t(y * 70), uint8_t(x * y * 13)));
    TBitmap back = Load(Save(b, TBmpDepth::bits24));
    EXPECT_EQ(back, b);
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(BmpWriterTest, ThirtyTwoBitRoundTripKeepsColoursAndWritesAlpha)
{
    TBitmap b(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.ScanLine(y)[x] = 0x80000000u | uint32_t(x * 0x102030 + y * 0x0F0F0F);
    TBytes file = Save(b, TBmpDepth::bits32);
    EXPECT_EQ(file[28], 32);
    EXPECT_EQ(file.size(), 54u + 24);
    EXPECT_EQ(file[54 + 3], 0x80);
    TBitmap back = Load(file);
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf32bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Raw(back, x, y), Raw(b, x, y) | 0xFF000000u);
}

TEST(BmpWriterTest, EmptyBitmapRoundTrips)
{
    TBitmap empty;
    TBytes file = Save(empty, TBmpDepth::bits24);
    EXPECT_EQ(file.size(), 54u);
    EXPECT_TRUE(Load(file).Empty());
}

TEST(BmpRleTest, AHugePictureNeedsMoreThanAFewBytesOfData)
{
    // 8192 x 8192 from four bytes would be 256 MiB of pixels for nothing.
    EXPECT_THROW(Load(Rle8(8192, 8192, {0, 1, 0, 0}).Build()), EInvalidGraphic);
    TBitmap large = Load(Rle8(2048, 2048, {0, 1}).Build()); // 4 megapixels are always allowed
    EXPECT_EQ(large.Width(), 2048);
}
