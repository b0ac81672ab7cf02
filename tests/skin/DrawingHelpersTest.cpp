#include "skin/themes/DrawingHelpers.h"

#include "toolkit/CanvasTestSupport.h"
#include "toolkit/graphics/BoxFontEngine.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/graphics/SystemColors.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

namespace {

// A strip whose column x has red = x, so a frame shows where it was cut from.
TBitmap NumberedStrip(int width, int height)
{
    TBitmap strip(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            strip.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 0));
    return strip;
}

int FirstColumn(const TBitmap& frame) { return frame.Pixel(0, 0) & 0xFF; }

const std::map<TColor, char> kMagenta = {{TColor(0xFF00FF), 'm'}};

} // namespace

TEST(CopyBitmapFrame, FramesOfEqualWidthFromTheLeft)
{
    const TBitmap strip = NumberedStrip(243, 2);
    TBitmap frame;
    for (int index = 1; index <= 3; ++index) {
        CopyBitmapFrame(strip, frame, 3, index);
        EXPECT_EQ(frame.Width(), 81);
        EXPECT_EQ(frame.Height(), 2);
        EXPECT_EQ(FirstColumn(frame), (index - 1) * 81);
    }
    EXPECT_EQ(frame.Pixel(80, 1), RGB(242, 1, 0));
}

TEST(CopyBitmapFrame, LastFrameIsFlushWithTheRightEdge)
{
    const TBitmap strip = NumberedStrip(100, 1);
    TBitmap frame;
    CopyBitmapFrame(strip, frame, 3, 2);
    EXPECT_EQ(FirstColumn(frame), 33);
    CopyBitmapFrame(strip, frame, 3, 3);
    EXPECT_EQ(frame.Width(), 33);
    EXPECT_EQ(FirstColumn(frame), 67);
    EXPECT_EQ(frame.Pixel(32, 0) & 0xFF, 99);
}

TEST(CopyBitmapFrame, ImpossibleFramesLeaveTheDestinationEmpty)
{
    const TBitmap strip = NumberedStrip(10, 1);
    TBitmap frame(4, 4);
    CopyBitmapFrame(strip, frame, 0, 1);
    EXPECT_TRUE(frame.Empty());
    frame.SetSize(4, 4);
    CopyBitmapFrame(strip, frame, 3, 4);
    EXPECT_TRUE(frame.Empty());
    CopyBitmapFrame(strip, frame, 20, 20);  // frames narrower than a pixel
    EXPECT_EQ(frame.Width(), 0);
}

namespace {

// Corners red, edges green, centre blue, as a skin face is laid out.
const Rows kFace = {"rrggr", "rrggr", "ggbbg", "ggbbg", "rrggr"};

TBitmap NinePart(const Rows& face, int width, int height, bool transparent)
{
    TBitmap target = WhiteBitmap(width, height);
    TCanvas canvas(target);
    StretchDrawNinePart(BitmapOf(face), canvas, TRect(0, 0, width, height), transparent);
    return target;
}

} // namespace

TEST(StretchDrawNinePart, PiecesGoWhereTheTableSaysIncludingTheOverlaps)
{
    // The bottom edge starts a pixel left of and above its gap, over the left edge and the
    // bottom-left corner.
    EXPECT_EQ(Picture(NinePart(kFace, 8, 7, false)),
              (Rows{"rrgggggr", "rrgggggr", "ggbbbbbg", "ggbbbbbg", "ggbbbbbg", "gbbbbbbg", "rggggggr"}));
}

TEST(StretchDrawNinePart, SameSizeKeepsTheCornersInPlace)
{
    const Rows face = {"r#ggb", "#rggg", "ggbbg", "ggbbg", "bgggr"};
    const TBitmap drawn = NinePart(face, 5, 5, false);
    const TBitmap source = BitmapOf(face);
    for (const TPoint p : {TPoint(0, 0), TPoint(1, 0), TPoint(0, 1), TPoint(1, 1), TPoint(4, 0), TPoint(4, 1),
                           TPoint(0, 4), TPoint(1, 4), TPoint(4, 4)})
        EXPECT_EQ(drawn.Pixel(p.X, p.Y), source.Pixel(p.X, p.Y)) << p.X << "," << p.Y;
}

TEST(StretchDrawNinePart, SmallerTargetKeepsEachCornersOuterPart)
{
    // A 7 x 7 face into 4 x 4: the top-left corner keeps its top-left 2 x 2, the top-right its
    // top-right column, the bottom-left its bottom row and the bottom-right its last pixel. The
    // bottom edge then overlaps the bottom-left corner by one pixel, as it always does.
    const Rows face = {"r#ggg#b", "##ggg##", "ggbbbgg", "ggbbbgg", "ggbbbgg", "##ggg##", "g#ggg#r"};
    EXPECT_EQ(Picture(NinePart(face, 4, 4, false)), (Rows{"r#gb", "##g#", "gggg", "gggr"}));
}

TEST(StretchDrawNinePart, KeyColourMasksCornersOnlyWhenTransparentButEdgesAlways)
{
    const Rows face = {"mrmgm", "rrggr", "ggbbg", "ggbbg", "mrggm"};
    EXPECT_EQ(Picture(NinePart(face, 5, 5, true), kMagenta), (Rows{".r.g.", "rrggr", "ggbbg", "gbbbg", ".ggg."}));
    EXPECT_EQ(Picture(NinePart(face, 5, 5, false), kMagenta), (Rows{"mr.gm", "rrggr", "ggbbg", "gbbbg", "mgggm"}));
}

TEST(StretchDrawNinePart, EmptyBitmapDrawsNothingAndATinyTargetStaysInside)
{
    TBitmap target = WhiteBitmap(3, 3);
    TCanvas canvas(target);
    StretchDrawNinePart(TBitmap(), canvas, TRect(0, 0, 3, 3), false);
    EXPECT_EQ(target, WhiteBitmap(3, 3));
    StretchDrawNinePart(BitmapOf(kFace), canvas, TRect(0, 0, 1, 1), false);
    EXPECT_EQ(Picture(target), (Rows{"g..", "...", "..."}));
}

TEST(DrawThreeSlice, CapsAtTheirSizeAndTheMiddleStretched)
{
    const TBitmap strip = BitmapOf({"rmgbbm", "rrgbbb"});
    TBitmap target = WhiteBitmap(8, 2);
    TCanvas canvas(target);
    DrawThreeSlice(strip, canvas, TRect(0, 0, 8, 2), TColor(0xFF00FF), true);
    // Caps masked by the key colour; the middle keeps its own pixels.
    EXPECT_EQ(Picture(target, kMagenta), (Rows{"r.ggbbb.", "rrggbbbb"}));
}

TEST(DrawThreeSlice, NarrowerThanACapDrawsTheLeftCapsLeftPartUnmasked)
{
    const TBitmap strip = BitmapOf({"mrggbb", "rrggbb"});
    TBitmap target = WhiteBitmap(3, 2);
    TCanvas canvas(target);
    DrawThreeSlice(strip, canvas, TRect(1, 0, 2, 2), TColor(0xFF00FF), true);
    EXPECT_EQ(Picture(target, kMagenta), (Rows{".m.", ".r."}));
}

TEST(StretchBitmapHalftone, AveragesAndLeavesTheCanvasInHalftoneMode)
{
    TBitmap target = WhiteBitmap(1, 1);
    TCanvas canvas(target);
    StretchBitmapHalftone(BitmapOf({"#."}), canvas, TRect(0, 0, 1, 1));
    EXPECT_EQ(target.Pixel(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(canvas.StretchMode(), TStretchMode::smHalftone);
}

TEST(TilePicture, OneSpareTileEachWayFromTheCanvasOrigin)
{
    TPicture picture;
    picture.Assign(BitmapOf({"r#.", "bgg"}));
    TBitmap target = BitmapOf({"..........", "..........", "..........", "..........", "..........",
                               "..........", ".........."});
    TCanvas canvas(target);
    TilePicture(canvas, picture, TRect(0, 0, 5, 3));
    // Columns at 0, 3, 6 (below 3 + 5) and rows at 0, 2, 4 (below 2 + 3).
    EXPECT_EQ(Picture(target), (Rows{"r#.r#.r#..", "bggbggbgg.", "r#.r#.r#..", "bggbggbgg.", "r#.r#.r#..",
                                     "bggbggbgg.", ".........."}));

    TBitmap untouched = WhiteBitmap(2, 2);
    TCanvas untouchedCanvas(untouched);
    TilePicture(untouchedCanvas, TPicture(), TRect(0, 0, 2, 2));
    EXPECT_EQ(untouched, WhiteBitmap(2, 2));
}

TEST(TilePicture, TransparentPictureLeavesItsTransparentColourUndrawn)
{
    TPicture picture;
    picture.Assign(BitmapOf({"rg", "gg"}));
    picture.Bitmap().SetTransparent(true);  // automatic colour: the bottom-left pixel, green
    TBitmap target = WhiteBitmap(2, 2);
    TCanvas canvas(target);
    TilePicture(canvas, picture, TRect(0, 0, 1, 1));
    EXPECT_EQ(Picture(target), (Rows{"r.", ".."}));
}

TEST(Gradients, TwoRowsDrawOnlyTheFirstAndLastLine)
{
    TBitmap target = WhiteBitmap(3, 2);
    TCanvas canvas(target);
    DrawVerticalGradient(canvas, TRect(0, 0, 3, 2), clRed, clBlue);
    EXPECT_EQ(Picture(target), (Rows{"rrr", "bbb"}));
}

TEST(Gradients, EqualColoursGiveASolidFillAndEmptyRectanglesNothing)
{
    TBitmap target = WhiteBitmap(3, 6);
    TCanvas canvas(target);
    DrawVerticalGradient(canvas, TRect(0, 0, 3, 5), clBtnFace, clBtnFace);
    DrawVerticalGradient(canvas, TRect(0, 5, 3, 5), clRed, clRed);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.Pixel(x, y), RGB(212, 208, 200));
    EXPECT_EQ(target.Pixel(0, 5), clWhite);
}

TEST(Gradients, VerticalStepsStartOneRowLate)
{
    TBitmap target = WhiteBitmap(1, 5);
    TCanvas canvas(target);
    DrawVerticalGradient(canvas, TRect(0, 0, 1, 5), RGB(0, 0, 0), RGB(100, 10, 0));
    // Factor (y - Top - 1) / 5: rows 1 .. 3 get 0, 1/5 and 2/5; row 4 is the end colour.
    EXPECT_EQ(target.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(0, 2), RGB(20, 2, 0));
    EXPECT_EQ(target.Pixel(0, 3), RGB(40, 4, 0));
    EXPECT_EQ(target.Pixel(0, 4), RGB(100, 10, 0));
}

TEST(Gradients, HorizontalTruncatesTowardZero)
{
    TBitmap target = WhiteBitmap(3, 2);
    TCanvas canvas(target);
    DrawHorizontalGradient(canvas, TRect(0, 0, 3, 2), RGB(100, 0, 0), RGB(0, 0, 0));
    // Column 1: 100 + trunc(-100 / 3) = 67 (not 66).
    EXPECT_EQ(target.Pixel(0, 1), RGB(100, 0, 0));
    EXPECT_EQ(target.Pixel(1, 0), RGB(67, 0, 0));
    EXPECT_EQ(target.Pixel(1, 1), RGB(67, 0, 0));
    EXPECT_EQ(target.Pixel(2, 0), RGB(0, 0, 0));
}

TEST(Gradients, EachChannelIsTheRoundedQuotientTimesTheStepTruncated)
{
    // 26 / 46 * 23 is 13 in exact arithmetic but 12.999... once the quotient is a double.
    TBitmap target = WhiteBitmap(1, 46);
    TCanvas canvas(target);
    DrawVerticalGradient(canvas, TRect(0, 0, 1, 46), RGB(0, 0, 0), RGB(0x1A, 0x1A, 0x1A));
    EXPECT_EQ(target.Pixel(0, 24), RGB(12, 12, 12));
    EXPECT_EQ(target.Pixel(0, 25), RGB(13, 13, 13));

    TBitmap across = WhiteBitmap(46, 1);
    TCanvas acrossCanvas(across);
    DrawHorizontalGradient(acrossCanvas, TRect(0, 0, 46, 1), RGB(0, 0x1A, 0), RGB(0x1A, 0, 0));
    // Column 23: red 0 + 12.999... and green 26 - 12.999..., each truncated toward zero.
    EXPECT_EQ(across.Pixel(23, 0), RGB(12, 14, 0));
}

TEST(Rotation, QuarterTurnsMovePixelsAsStated)
{
    const TBitmap original = BitmapOf({"rgb", "#.m"});
    TBitmap left = original;
    RotateBitmapLeft(left);
    EXPECT_EQ(Picture(left, kMagenta), (Rows{"bm", "g.", "r#"}));
    TBitmap right = original;
    RotateBitmapRight(right);
    EXPECT_EQ(Picture(right, kMagenta), (Rows{"#r", ".g", "mb"}));
    RotateBitmapRight(left);
    EXPECT_EQ(left, original);

    TBitmap empty;
    RotateBitmapLeft(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(DrawWindowBorder, OneOrTwoFramesInTheWindowsOwnCoordinates)
{
    TBitmap window = WhiteBitmap(5, 5);
    TCanvas canvas(window);
    DrawWindowBorder(canvas, TSize(5, 5), clRed, clBlue, true);
    EXPECT_EQ(Picture(window), (Rows{"rrrrr", "rbbbr", "rb.br", "rbbbr", "rrrrr"}));
    EXPECT_EQ(canvas.Brush().Color(), clWhite);

    TBitmap single = WhiteBitmap(3, 3);
    TCanvas singleCanvas(single);
    DrawWindowBorder(singleCanvas, TSize(3, 3), clBtnShadow, clBlue, false);
    EXPECT_EQ(Picture(single, {{RGB(128, 128, 128), 's'}}), (Rows{"sss", "s.s", "sss"}));
}

TEST(PointInRect, RightAndBottomEdgesAreInside)
{
    EXPECT_TRUE(PointInRect({10, 10}, TRect(0, 0, 10, 10)));
    EXPECT_TRUE(PointInRect({0, 0}, TRect(0, 0, 10, 10)));
    EXPECT_FALSE(PointInRect({11, 10}, TRect(0, 0, 10, 10)));
    EXPECT_FALSE(PointInRect({5, -1}, TRect(0, 0, 10, 10)));
}

class TruncateText : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = InstalledFontEngine();
        SetFontEngine(std::make_shared<TBoxFontEngine>());
        canvas_.Font().SetHeight(-4);  // narrow characters 2 wide, wide ones 4, "..." 6
    }
    void TearDown() override { SetFontEngine(previous_); }

    TCanvas canvas_;
    std::shared_ptr<FontEngine> previous_;
};

TEST_F(TruncateText, TextThatFitsComesBackUnchanged)
{
    EXPECT_EQ(TruncateTextToWidth(canvas_, "abc", 6), "abc");
    EXPECT_EQ(TruncateTextToWidth(canvas_, "", 0), "");
}

TEST_F(TruncateText, OneCharacterThatDoesNotFitComesBackUnchanged)
{
    EXPECT_EQ(TruncateTextToWidth(canvas_, "a", 1), "a");
    EXPECT_EQ(TruncateTextToWidth(canvas_, "中", 1), "中");
}

TEST_F(TruncateText, ShortestPrefixWithDotsThatReachesTheWidth)
{
    EXPECT_EQ(TruncateTextToWidth(canvas_, "abcdef", 7), "a...");   // 8 >= 7
    EXPECT_EQ(TruncateTextToWidth(canvas_, "abcdef", 9), "ab...");  // 8 < 9, 10 >= 9
    EXPECT_EQ(TruncateTextToWidth(canvas_, "abcdef", 11), "abc...");
    // The first prefix is taken even when it is wider than the limit.
    EXPECT_EQ(TruncateTextToWidth(canvas_, "abc", 5), "a...");
    // Characters, not bytes.
    EXPECT_EQ(TruncateTextToWidth(canvas_, "中文字", 10), "中...");
}
