#include "toolkit/CanvasTestSupport.h"

#include "toolkit/graphics/BoxFontEngine.h"
#include "toolkit/graphics/FontEngineSlot.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

// Layout with the box engine at an em of 4: lines are 4 rows (ascent 3, descent 1), a narrow
// character advances 2 and shows one column on rows 1 and 2, a wide one advances 4 and shows
// three columns; underlines sit on row 3, the descent row.
class TextLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = InstalledFontEngine();
        SetFontEngine(std::make_shared<TBoxFontEngine>());
    }
    void TearDown() override { SetFontEngine(previous_); }

    TBitmap Draw(int width, int height, std::string_view text, TRect rect, unsigned format)
    {
        TBitmap bitmap = WhiteBitmap(width, height);
        TCanvas canvas(bitmap);
        Prepare(canvas);
        result_ = canvas.DrawText(text, rect, format);
        return bitmap;
    }

    static void Prepare(TCanvas& canvas)
    {
        canvas.Font().SetHeight(-4);
        canvas.Font().SetColor(clBlack);
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
    }

    int result_ = 0;

private:
    std::shared_ptr<FontEngine> previous_;
};

TEST_F(TextLayout, SingleLineCentredBothWays)
{
    const TBitmap bitmap = Draw(10, 8, "ab", TRect(0, 0, 10, 8), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(Picture(bitmap), (Rows{"..........", "..........", "..........", "...#.#....", "...#.#....",
                                     "..........", "..........", ".........."}));
    EXPECT_EQ(result_, 6);  // from the rectangle's top to the bottom of the text
}

TEST_F(TextLayout, RightAlignedAndBottomAligned)
{
    const TBitmap bitmap = Draw(8, 6, "ab", TRect(0, 0, 8, 6), DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(Picture(bitmap), (Rows{"........", "........", "........", "....#.#.", "....#.#.", "........"}));
}

TEST_F(TextLayout, PrefixUnderlinesTheNextCharacterAndDoubleAmpersandIsLiteral)
{
    const TBitmap bitmap = Draw(8, 4, "a&b&&", TRect(0, 0, 8, 4), DT_SINGLELINE);
    // "ab&": b is underlined on the descent row over its whole advance.
    EXPECT_EQ(Picture(bitmap), (Rows{"........", "#.#.#...", "#.#.#...", "..##...."}));

    const TBitmap hidden = Draw(8, 4, "a&b", TRect(0, 0, 8, 4), DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(Picture(hidden), (Rows{"........", "#.#.....", "#.#.....", "........"}));

    const TBitmap only = Draw(8, 4, "a&b", TRect(0, 0, 8, 4), DT_SINGLELINE | DT_PREFIXONLY);
    EXPECT_EQ(Picture(only), (Rows{"........", "........", "........", "..##...."}));

    const TBitmap literal = Draw(8, 4, "a&b", TRect(0, 0, 8, 4), DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(Picture(literal), (Rows{"........", "#.#.#...", "#.#.#...", "........"}));
}

TEST_F(TextLayout, WordBreakWrapsAtSpacesAndDropsThem)
{
    TRect rect(0, 0, 10, 20);
    const TBitmap bitmap = Draw(10, 8, "aa bb cc", rect, DT_WORDBREAK);
    EXPECT_EQ(Picture(bitmap), (Rows{"..........", "#.#...#.#.", "#.#...#.#.", "..........", "..........",
                                     "#.#.......", "#.#.......", ".........."}));
    EXPECT_EQ(result_, 8);
}

TEST_F(TextLayout, CalcRectBoundsTheWrappedTextWithoutDrawing)
{
    TBitmap bitmap = WhiteBitmap(4, 4);
    TCanvas canvas(bitmap);
    Prepare(canvas);
    TRect rect(1, 2, 11, 50);
    EXPECT_EQ(canvas.DrawText("aa bb cc", rect, DT_CALCRECT | DT_WORDBREAK), 8);
    EXPECT_EQ(rect, TRect(1, 2, 11, 10));  // widest line "aa bb" is 10 wide, two lines of 4
    EXPECT_EQ(bitmap, WhiteBitmap(4, 4));

    // A word wider than the rectangle stays whole and widens the result.
    TRect narrow(0, 0, 4, 0);
    canvas.DrawText("abcdefgh", narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow, TRect(0, 0, 16, 4));

    // Wide characters break anywhere between them.
    TRect cjk(0, 0, 9, 0);
    canvas.DrawText("中文字", cjk, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(cjk, TRect(0, 0, 8, 8));

    TRect empty(3, 3, 9, 9);
    EXPECT_EQ(canvas.DrawText("", empty, DT_CALCRECT), 0);
    EXPECT_EQ(empty, TRect(3, 3, 3, 3));
}

TEST_F(TextLayout, LineBreaksMakeLinesUnlessSingleLine)
{
    TBitmap bitmap = WhiteBitmap(1, 1);
    TCanvas canvas(bitmap);
    Prepare(canvas);
    TRect lines(0, 0, 100, 0);
    EXPECT_EQ(canvas.DrawText("a\r\nbb\nc\rd", lines, DT_CALCRECT), 16);
    EXPECT_EQ(lines.Width(), 4);
    TRect single(0, 0, 100, 0);
    EXPECT_EQ(canvas.DrawText("a\r\nbb", single, DT_CALCRECT | DT_SINGLELINE), 4);
    EXPECT_EQ(single.Width(), 6);
}

TEST_F(TextLayout, TabsJumpToStopsOfEightAverageWidthsOnlyWhenExpanded)
{
    TBitmap bitmap = WhiteBitmap(1, 1);
    TCanvas canvas(bitmap);
    Prepare(canvas);
    TRect expanded(0, 0, 100, 0);
    canvas.DrawText("a\tb", expanded, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(expanded.Width(), 18);  // b starts at the first stop, 8 x 2
    TRect plain(0, 0, 100, 0);
    canvas.DrawText("a\tb", plain, DT_CALCRECT);
    EXPECT_EQ(plain.Width(), 4);

    const TBitmap drawn = Draw(20, 4, "a\tb", TRect(0, 0, 20, 4), DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(drawn.Pixel(16, 1), clBlack);
    EXPECT_EQ(drawn.Pixel(2, 1), clWhite);
}

TEST_F(TextLayout, EndEllipsisKeepsWhatFitsBeforeTheDots)
{
    const TBitmap bitmap = Draw(12, 4, "abcdefgh", TRect(0, 0, 10, 4), DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(Picture(bitmap), (Rows{"............", "#.#.#.#.#...", "#.#.#.#.#...", "............"}));
}

TEST_F(TextLayout, TextIsClippedToTheRectangleUnlessNoClip)
{
    const TBitmap clipped = Draw(6, 4, "abc", TRect(0, 0, 3, 4), DT_SINGLELINE);
    EXPECT_EQ(Picture(clipped), (Rows{"......", "#.#...", "#.#...", "......"}));
    const TBitmap free = Draw(6, 4, "abc", TRect(0, 0, 3, 4), DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(Picture(free), (Rows{"......", "#.#.#.", "#.#.#.", "......"}));
}

TEST_F(TextLayout, OpaqueBrushFillsOnlyTheTextCells)
{
    TBitmap bitmap = WhiteBitmap(6, 5);
    TCanvas canvas(bitmap);
    Prepare(canvas);
    canvas.Brush().SetColor(clRed);
    TRect rect(0, 0, 6, 5);
    canvas.DrawText("ab", rect, DT_SINGLELINE);
    EXPECT_EQ(Picture(bitmap), (Rows{"rrrr..", "#r#r..", "#r#r..", "rrrr..", "......"}));
}

TEST_F(TextLayout, TextOutMovesThePenAndDrawsTheFontStyles)
{
    TBitmap bitmap = WhiteBitmap(6, 4);
    TCanvas canvas(bitmap);
    Prepare(canvas);
    canvas.Font().SetStyle(fsUnderline);
    canvas.TextOut(1, 0, "ab");
    EXPECT_EQ(canvas.PenPos(), TPoint(5, 0));
    EXPECT_EQ(Picture(bitmap), (Rows{"......", ".#.#..", ".#.#..", ".####."}));
    EXPECT_EQ(canvas.TextWidth("ab中"), 8);
    EXPECT_EQ(canvas.TextHeight("x"), 4);
    EXPECT_EQ(canvas.TextExtent("ab"), TSize(4, 4));
}

TEST_F(TextLayout, TextRectClipsAndFillsItsRectangle)
{
    TBitmap bitmap = WhiteBitmap(6, 4);
    TCanvas canvas(bitmap);
    Prepare(canvas);
    canvas.Brush().SetColor(clBlue);
    canvas.TextRect(TRect(1, 0, 4, 3), 0, 0, "abc");
    EXPECT_EQ(Picture(bitmap), (Rows{".bbb..", ".b#b..", ".b#b..", "......"}));
    EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 6, 4));
}
