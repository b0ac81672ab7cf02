// The parts of the Win32 window host and GDI font engine that need no Windows: joining typed
// UTF-16 units, cropping GDI's coverage, preparing icon pictures. The rest runs under Wine.
#include "platform/IconColours.h"
#include "platform/win32/CoverageCrop.h"
#include "platform/win32/IconPixels.h"
#include "platform/win32/SurrogateJoiner.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SurrogateJoiner, JoinsPairsAndMarksLoneSurrogates)
{
    TSurrogateJoiner joiner;
    EXPECT_EQ(joiner.Take(u'a'), U"a");
    EXPECT_EQ(joiner.Take(u'中'), U"中");
    // U+1F600 is D83D DE00.
    EXPECT_EQ(joiner.Take(0xD83D), U"");
    EXPECT_EQ(joiner.Take(0xDE00), U"\U0001F600");
    // The highest and lowest pairs.
    EXPECT_EQ(joiner.Take(0xD800), U"");
    EXPECT_EQ(joiner.Take(0xDC00), U"\U00010000");
    EXPECT_EQ(joiner.Take(0xDBFF), U"");
    EXPECT_EQ(joiner.Take(0xDFFF), U"\U0010FFFF");
    // A low one alone, a high one followed by a character, two high ones in a row.
    EXPECT_EQ(joiner.Take(0xDC01), U"\uFFFD");
    EXPECT_EQ(joiner.Take(0xD83D), U"");
    EXPECT_EQ(joiner.Take(u'b'), U"\uFFFDb");
    EXPECT_EQ(joiner.Take(0xD83D), U"");
    EXPECT_EQ(joiner.Take(0xD83D), U"\uFFFD");
    EXPECT_EQ(joiner.Take(0xDE00), U"\U0001F600");
}

namespace {

// A picture of `width` x `height` black pixels with the given green values set.
struct Picture {
    int width, height;
    std::vector<uint32_t> pixels;
    Picture(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0xFF000000u) {}
    void Set(int x, int y, uint8_t green) { pixels[size_t(y) * size_t(width) + size_t(x)] = 0xFF000000u | green << 8; }
};

} // namespace

TEST(CoverageFromGreen, CropsToTheCoveredPixelsAndCountsFromTheOrigin)
{
    Picture p(10, 8);
    p.Set(3, 2, 255);
    p.Set(6, 5, 40);
    // Red and blue alone are not coverage (subpixel fringes would show up there).
    p.pixels[1] = 0xFFFF00FFu;
    const TCoverageMask mask = CoverageFromGreen(p.pixels.data(), p.width, p.height, 4, 4);
    EXPECT_EQ(mask.left, -1);
    EXPECT_EQ(mask.top, -2);
    ASSERT_EQ(mask.width, 4);
    ASSERT_EQ(mask.height, 4);
    EXPECT_EQ(mask.At(0, 0), 255);
    EXPECT_EQ(mask.At(3, 3), 40);
    EXPECT_EQ(mask.At(1, 1), 0);
    EXPECT_EQ(mask.At(3, 0), 0);
}

TEST(CoverageFromGreen, PixelsOnEveryEdgeAreKept)
{
    Picture p(5, 3);
    p.Set(0, 0, 1);
    p.Set(4, 2, 2);
    const TCoverageMask mask = CoverageFromGreen(p.pixels.data(), p.width, p.height, 0, 0);
    EXPECT_EQ(mask.left, 0);
    EXPECT_EQ(mask.top, 0);
    ASSERT_EQ(mask.width, 5);
    ASSERT_EQ(mask.height, 3);
    EXPECT_EQ(mask.At(0, 0), 1);
    EXPECT_EQ(mask.At(4, 2), 2);
}

TEST(CoverageFromGreen, NothingCoveredGivesAnEmptyMask)
{
    Picture p(6, 6);
    const TCoverageMask mask = CoverageFromGreen(p.pixels.data(), p.width, p.height, 2, 2);
    EXPECT_EQ(mask.width, 0);
    EXPECT_EQ(mask.height, 0);
    EXPECT_TRUE(mask.coverage.empty());
    EXPECT_EQ(CoverageFromGreen(nullptr, 4, 4, 0, 0).width, 0);
    EXPECT_EQ(CoverageFromGreen(p.pixels.data(), 0, 6, 0, 0).width, 0);
}

TEST(IconPixels, APictureWithoutAlphaBecomesOpaque)
{
    const std::vector<uint32_t> flat = {0x00112233u, 0x00000000u, 0x00FFFFFFu, 0x00445566u};
    const std::vector<uint32_t> colour = IconColourPixels(flat.data(), 2, 2);
    EXPECT_EQ(colour, (std::vector<uint32_t>{0xFF112233u, 0xFF000000u, 0xFFFFFFFFu, 0xFF445566u}));
    // One pixel with alpha: the picture has an alpha channel, kept as it is.
    const std::vector<uint32_t> shaped = {0x00112233u, 0x80000000u};
    EXPECT_EQ(IconColourPixels(shaped.data(), 2, 1), shaped);
    EXPECT_TRUE(IconColourPixels(nullptr, 2, 2).empty());
    EXPECT_TRUE(IconColourPixels(flat.data(), -1, 2).empty());
}

TEST(IconPixels, TheMaskMarksTransparentPixelsInWordAlignedRows)
{
    // 17 pixels wide: three bytes of mask per row, padded to four.
    const int width = 17, height = 2;
    std::vector<uint32_t> colour(size_t(width) * size_t(height), 0xFF000000u);
    colour[0] = 0x7F000000u;           // row 0, pixel 0: alpha below half, transparent
    colour[9] = 0x80000000u;           // row 0, pixel 9: opaque enough
    colour[16] = 0x00000000u;          // row 0, pixel 16: in the third byte
    colour[size_t(width) + 7] = 0u;    // row 1, pixel 7
    const std::vector<uint8_t> mask = IconMaskBits(colour, width, height);
    ASSERT_EQ(mask.size(), 8u);
    EXPECT_EQ(mask[0], 0x80);
    EXPECT_EQ(mask[1], 0x00);
    EXPECT_EQ(mask[2], 0x80);
    EXPECT_EQ(mask[3], 0x00);
    EXPECT_EQ(mask[4], 0x01);
    EXPECT_EQ(mask[5], 0x00);
    EXPECT_TRUE(IconMaskBits(colour, width, height + 1).empty());
}
