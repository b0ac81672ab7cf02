#include "toolkit/CanvasTestSupport.h"

#include "toolkit/graphics/Region.h"

#include <gtest/gtest.h>

namespace {

// Every pixel of the area as '#' (inside) or '.'.
std::vector<std::string> Pixels(const TRegion& region, const TRect& area)
{
    std::vector<std::string> rows;
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::string row;
        for (int x = area.Left; x < area.Right; ++x)
            row += region.Contains(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

using Rows = std::vector<std::string>;

TEST(Region, RectangleExcludesItsRightAndBottomEdges)
{
    const TRegion region(TRect(1, 1, 3, 2));
    EXPECT_EQ(Pixels(region, TRect(0, 0, 4, 3)), (Rows{"....", ".##.", "...."}));
    EXPECT_EQ(region.Bounds(), TRect(1, 1, 3, 2));
    EXPECT_TRUE(TRegion(TRect(5, 5, 5, 9)).Empty());
}

TEST(Region, SamePixelsCompareEqualHoweverTheyWereBuilt)
{
    TRegion pieces;
    pieces.AddRect(TRect(0, 0, 2, 2));
    pieces.AddRect(TRect(2, 0, 4, 2));
    pieces.AddRect(TRect(0, 2, 4, 3));
    EXPECT_EQ(pieces, TRegion(TRect(0, 0, 4, 3)));
    EXPECT_EQ(pieces.Rects().size(), 1u);

    TRegion overlapping(TRect(0, 0, 3, 3));
    overlapping.AddRect(TRect(1, 1, 4, 3));
    EXPECT_NE(overlapping, TRegion(TRect(0, 0, 4, 3)));
    overlapping.AddRect(TRect(3, 0, 4, 1));
    EXPECT_EQ(overlapping, TRegion(TRect(0, 0, 4, 3)));
}

TEST(Region, CombineOperations)
{
    const TRegion a(TRect(0, 0, 3, 2)), b(TRect(2, 1, 5, 3));
    const TRect area(0, 0, 5, 3);
    EXPECT_EQ(Pixels(a.Union(b), area), (Rows{"###..", "#####", "..###"}));
    EXPECT_EQ(Pixels(a.Intersect(b), area), (Rows{".....", "..#..", "....."}));
    EXPECT_EQ(Pixels(a.Subtract(b), area), (Rows{"###..", "##...", "....."}));
    EXPECT_EQ(Pixels(a.Xor(b), area), (Rows{"###..", "##.##", "..###"}));
    TRegion copy = a;
    copy.Combine(b, TRegionOp::Copy);
    EXPECT_EQ(copy, b);
    EXPECT_TRUE(a.Subtract(a).Empty());
}

TEST(Region, OffsetMovesEveryPixel)
{
    TRegion region = TRegion(TRect(0, 0, 1, 1)).Union(TRegion(TRect(2, 1, 3, 2)));
    region.Offset(1, 1);
    EXPECT_EQ(Pixels(region, TRect(0, 0, 4, 3)), (Rows{"....", ".#..", "...#"}));
}

TEST(Region, RoundRectIsOnePixelShortAtRightAndBottom)
{
    // Square corners: (0, 0, W + 1, H + 1) is exactly the W x H rectangle.
    EXPECT_EQ(TRegion::FromRoundRect(TRect(0, 0, 7, 5), 0, 0), TRegion(TRect(0, 0, 6, 4)));
    const TRegion rounded = TRegion::FromRoundRect(TRect(0, 0, 9, 7), 4, 4);
    EXPECT_EQ(Pixels(rounded, TRect(0, 0, 9, 7)),
              (Rows{".######..", "########.", "########.", "########.", "########.", ".######..", "........."}));
    EXPECT_EQ(TRegion::FromRoundRect(TRect(0, 0, 9, 7), -4, -4), rounded) << "a negative corner counts by its size";
}

TEST(Region, EllipseMatchesTheCanvasFill)
{
    TBitmap bitmap = WhiteBitmap(9, 7);
    TCanvas canvas(bitmap);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.Brush().SetColor(clBlack);
    canvas.Ellipse(1, 1, 8, 6);
    const TRegion region = TRegion::FromEllipse(TRect(1, 1, 8, 6));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(region.Contains(x, y), bitmap.Pixel(x, y) == clBlack) << x << "," << y;
}

TEST(Region, BitmapRunsSkipTheTransparentColourAndIgnoreAlpha)
{
    TBitmap bitmap = BitmapOf({"m##m#", "mmmmm", "#mm##"});
    bitmap.ScanLine(0)[1] &= 0x00FFFFFFu;  // alpha must not matter
    const TRegion region = TRegion::FromBitmapRuns(bitmap, TColor(0xFF00FF));
    EXPECT_EQ(Pixels(region, TRect(0, 0, 5, 3)), (Rows{".##.#", ".....", "#..##"}));
    EXPECT_EQ(region.Rects().size(), 4u);

    // Only rows 2 .. 2, moved by (10, 20); rows outside the bitmap are ignored.
    const TRegion part = TRegion::FromBitmapRuns(bitmap, TColor(0xFF00FF), 2, 99, 10, 20);
    EXPECT_EQ(part, TRegion(TRect(10, 22, 11, 23)).Union(TRegion(TRect(13, 22, 15, 23))));
    EXPECT_TRUE(TRegion::FromBitmapRuns(bitmap, TColor(0xFF00FF), -5, 0).Empty());
}
