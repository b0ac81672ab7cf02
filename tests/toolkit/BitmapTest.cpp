#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"

#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <utility>

namespace {

TBitmap Checkerboard(int width, int height)
{
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, (x + y) % 2 ? clWhite : RGB(uint8_t(x), uint8_t(y), 7));
    return b;
}

std::string BytesOf(const TBitmap& b)
{
    TMemoryStream stream;
    b.SaveToStream(stream);
    return std::string(stream.View());
}

} // namespace

// --- size and pixels ---

TEST(BitmapTest, NewBitmapIsEmpty)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pfDevice);
}

TEST(BitmapTest, SetSizeClearsEveryPixelToOpaqueBlack)
{
    TBitmap b = Checkerboard(3, 3);
    b.SetSize(4, 2);
    ASSERT_EQ(b.Width(), 4);
    ASSERT_EQ(b.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(b.ScanLine(y)[x], 0xFF000000u);
}

TEST(BitmapTest, EveryPixelOfSizesAroundTheVectorStepsIsBlackAndNothingElseChanges)
{
    // The fills are vectorised: sizes next to the vector widths are where a loop's main part and
    // its remainder meet.
    for (int width : {1, 15, 16, 17, 31, 33, 64, 1000}) {
        TBitmap b = Checkerboard(width, 3);
        b.SetSize(width, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(b.ScanLine(y)[x], 0xFF000000u) << width << " " << x << "," << y;
    }
    // A fill of a span leaves its neighbours alone.
    TBitmap row(40, 1);
    TCanvas canvas(row);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(TRect(3, 0, 37, 1));
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(row.Pixel(x, 0), x >= 3 && x < 37 ? clRed : clBlack) << x;
}

TEST(BitmapTest, NegativeSidesCountAsZero)
{
    TBitmap b(-5, 3);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_TRUE(b.Empty());
}

TEST(BitmapTest, SizeBeyondTheLimitIsRefusedAndChangesNothing)
{
    TBitmap b = Checkerboard(2, 2);
    TBitmap before = b;
    EXPECT_THROW(b.SetSize(16385, 16384), EInvalidGraphic);
    EXPECT_THROW(b.SetSize(INT_MAX, INT_MAX), EInvalidGraphic);
    EXPECT_EQ(b, before);
}

TEST(BitmapTest, PixelsAreStoredAsArgbWithRedInTheThirdByte)
{
    TBitmap b(2, 1);
    b.SetPixel(1, 0, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(b.ScanLine(0)[1], 0xFF123456u);
    EXPECT_EQ(b.Pixel(1, 0), RGB(0x12, 0x34, 0x56));
    b.ScanLine(0)[0] = 0x40ABCDEF;
    EXPECT_EQ(b.Pixel(0, 0), RGB(0xAB, 0xCD, 0xEF));
}

TEST(BitmapTest, ColourConversionsAreInverse)
{
    for (TColor c : {clBlack, clWhite, clRed, clLime, clBlue, clSkyBlue, RGB(1, 2, 3)}) {
        EXPECT_EQ(TBitmap::PixelToColor(TBitmap::ColorToPixel(c)), c);
        EXPECT_EQ(TBitmap::ColorToPixel(c) >> 24, 0xFFu);
    }
    EXPECT_EQ(TBitmap::ColorToPixel(clRed), 0xFFFF0000u);
    EXPECT_EQ(TBitmap::ColorToPixel(clBlue), 0xFF0000FFu);
}

TEST(BitmapTest, PixelsOutsideReadAsNoneAndIgnoreWrites)
{
    TBitmap b(2, 2);
    TBitmap before = b;
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {INT_MAX, INT_MAX}}) {
        EXPECT_EQ(b.Pixel(x, y), clNone);
        b.SetPixel(x, y, clWhite);
    }
    EXPECT_EQ(b, before);
}

TEST(BitmapTest, ScanLinesRunTopDownInOneBlock)
{
    TBitmap b(3, 2);
    b.SetPixel(0, 1, clWhite);
    EXPECT_EQ(b.ScanLine(1), b.Bits() + 3);
    EXPECT_EQ(b.ScanLine(1)[0], 0xFFFFFFFFu);
    const TBitmap& constant = b;
    EXPECT_EQ(constant.ScanLine(0), constant.Bits());
}

TEST(BitmapTest, ScanLineOutsideIsAnError)
{
    TBitmap b(2, 2);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphicOperation);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
    EXPECT_THROW(TBitmap().ScanLine(0), EInvalidGraphicOperation);
}

// --- copies and comparison ---

TEST(BitmapTest, CopiesAreIndependent)
{
    TBitmap a = Checkerboard(3, 2);
    a.SetPixelFormat(TPixelFormat::pf8bit);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(b, a);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_TRUE(b.Transparent());
    b.SetPixel(0, 0, clRed);
    EXPECT_NE(b, a);
    EXPECT_NE(a.Pixel(0, 0), clRed);
}

TEST(BitmapTest, MovingLeavesAnEmptyBitmap)
{
    TBitmap a = Checkerboard(3, 2);
    TBitmap copy = a;
    TBitmap b = std::move(a);
    EXPECT_EQ(b, copy);
    EXPECT_TRUE(a.Empty()); // NOLINT(bugprone-use-after-move): the moved-from state is promised
    TBitmap c;
    c = std::move(b);
    EXPECT_EQ(c, copy);
    EXPECT_TRUE(b.Empty()); // NOLINT(bugprone-use-after-move)
}

TEST(BitmapTest, EqualityLooksAtSizeAndPixelsOnly)
{
    TBitmap a = Checkerboard(2, 3);
    TBitmap b = Checkerboard(2, 3);
    b.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, Checkerboard(3, 2));
    b.ScanLine(2)[1] ^= 0x01000000; // alpha counts
    EXPECT_NE(a, b);
}

// --- transparency ---

TEST(BitmapTest, AutomaticTransparentColourIsTheBottomLeftPixel)
{
    TBitmap b(3, 2);
    b.SetPixel(0, 1, clFuchsia);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmAuto);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetPixel(0, 1, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST(BitmapTest, SettingAColourFixesItAndDefaultGoesBackToAuto)
{
    TBitmap b(2, 2);
    b.SetTransparentColor(clAqua);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(b.TransparentColor(), clAqua);
    b.SetTransparentColor(clDefault);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmAuto);
    EXPECT_EQ(b.TransparentColor(), clBlack);
}

TEST(BitmapTest, FixingTheModePinsTheCurrentColour)
{
    TBitmap b(2, 2);
    b.SetPixel(0, 1, clYellow);
    b.SetTransparentMode(TTransparentMode::tmFixed);
    b.SetPixel(0, 1, clNavy);
    EXPECT_EQ(b.TransparentColor(), clYellow);
    b.SetTransparentMode(TTransparentMode::tmAuto);
    EXPECT_EQ(b.TransparentColor(), clNavy);
}

TEST(BitmapTest, TransparentFlagIsKept)
{
    TBitmap b;
    EXPECT_FALSE(b.Transparent());
    b.SetTransparent(true);
    EXPECT_TRUE(b.Transparent());
}

// --- streams and files ---

TEST(BitmapTest, SaveDepthFollowsTheNominalFormat)
{
    TBitmap b = Checkerboard(2, 2);
    for (auto [format, bits] : {std::pair{TPixelFormat::pf32bit, 32}, {TPixelFormat::pf24bit, 24},
                                {TPixelFormat::pf8bit, 24}, {TPixelFormat::pfDevice, 24}}) {
        b.SetPixelFormat(format);
        EXPECT_EQ(uint8_t(BytesOf(b)[28]), bits);
    }
}

TEST(BitmapTest, StreamRoundTripKeepsPixelsAndTransparencySettings)
{
    TBitmap source = Checkerboard(5, 4);
    source.SetPixelFormat(TPixelFormat::pf32bit);
    TMemoryStream stream;
    source.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap b;
    b.SetTransparent(true);
    b.SetTransparentColor(clRed);
    b.LoadFromStream(stream);
    EXPECT_EQ(b, source);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clRed);
}

TEST(BitmapTest, FileRoundTripWithUtf8Name)
{
    auto dir = std::filesystem::temp_directory_path() / std::filesystem::path(u8"位图测试");
    std::filesystem::create_directories(dir);
    std::string name = std::string(reinterpret_cast<const char*>(dir.u8string().c_str())) + "/图片.bmp";
    TBitmap source = Checkerboard(7, 3);
    source.SaveToFile(name);
    TBitmap b;
    b.LoadFromFile(name);
    EXPECT_EQ(b, source);
    std::filesystem::remove_all(dir);
}

TEST(BitmapTest, MissingFileRaisesTheStreamError)
{
    TBitmap b;
    EXPECT_THROW(b.LoadFromFile("/nonexistent/dir/none.bmp"), EFOpenError);
}
