// The skinned progress bar: percentage and fill for values in and out of range, the built-in
// drawing inside its border, the skin's pieces with their kept edges, the caption rules, and a
// golden sheet of bars in the built-in skin and two styles.
#include "skin/ControlTestSupport.h"
#include "skin/controls/ProgressBar.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/StylesTable.h"

#include <string>

using namespace controltest;

namespace {

class ProgressBarTest : public ControlTest {
protected:
    TsuiProgressBar* MakeBar(int width, int height)
    {
        auto* bar = new TsuiProgressBar(form);
        bar->SetParent(form);
        bar->SetBounds(10, 10, width, height);
        return bar;
    }

    TBitmap StylePicture(TsuiUIStyle style)
    {
        TBitmap picture;
        GetStyleBitmap(style, STYLE_PROGRESSBAR_IMAGE, &picture, 0, 0);
        return picture;
    }
};

} // namespace

TEST_F(ProgressBarTest, NewBarIsHalfFullInItsStyle)
{
    auto* bar = MakeBar(150, 12);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(bar->Text(), "50%");
    EXPECT_TRUE(bar->ShowCaption());
    EXPECT_EQ(bar->Color(), TColor(0xE8E8E8));
    EXPECT_EQ(bar->BorderColor(), clBlack);
    EXPECT_TRUE(bar->Picture().Graphic() && *bar->Picture().Graphic() == StylePicture(DeepBlue));
    bar->SetUIStyle(WinXP);
    EXPECT_EQ(bar->Color(), TColor(0xDEEBEF));
    EXPECT_EQ(bar->BorderColor(), TColor(0x686868));
    EXPECT_EQ(bar->Picture().Width(), 6);
    bar->SetUIStyle(FromThemeFile);  // no theme: DeepBlue
    EXPECT_EQ(bar->Color(), TColor(0xE8E8E8));
}

TEST_F(ProgressBarTest, ValuesAreNeitherClampedNorOrdered)
{
    auto* bar = MakeBar(150, 12);
    struct Case {
        int min, max, position;
        const char* text;
        int filled;  // of 100 pixels
    };
    for (const Case& c : {Case{0, 100, 50, "50%", 50}, Case{0, 100, 150, "150%", 100}, Case{0, 100, -50, "-50%", 0},
                          Case{5, 5, 5, "0%", 0}, Case{5, 5, 9, "0%", 0}, Case{100, 0, 50, "50%", 0},
                          Case{0, 3, 1, "33%", 33}, Case{0, 3, 2, "66%", 66}, Case{-10, 10, -5, "25%", 25},
                          Case{-2147483647 - 1, 2147483647, 2147483647, "100%", 100}}) {
        bar->SetMin(c.min);
        bar->SetMax(c.max);
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->Text(), c.text) << c.min << " " << c.max << " " << c.position;
        EXPECT_EQ(bar->FilledLength(100), c.filled) << c.min << " " << c.max << " " << c.position;
    }
}

// 150 x 12 at 50 %: f = trunc(0.5 x 149) = 74, picture over x 1 .. 73, Color over 74 .. 148.
TEST_F(ProgressBarTest, BuiltInDrawingFillsInsideABorder)
{
    auto* bar = MakeBar(150, 12);
    bar->SetShowCaption(false);
    ShowForm();
    const TBitmap shot = Capture(*bar);
    const TBitmap fill = StylePicture(DeepBlue);
    ASSERT_EQ(fill.Width(), 1);
    ASSERT_EQ(fill.Height(), 10);
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(shot.Pixel(0, y), clBlack);
        EXPECT_EQ(shot.Pixel(149, y), clBlack);
    }
    for (int x = 0; x < 150; ++x) {
        EXPECT_EQ(shot.Pixel(x, 0), clBlack);
        EXPECT_EQ(shot.Pixel(x, 11), clBlack);
    }
    for (int y = 1; y <= 10; ++y) {
        for (int x : {1, 40, 73})
            EXPECT_EQ(shot.Pixel(x, y), fill.Pixel(0, y - 1)) << x << "," << y;
        for (int x : {74, 100, 148})
            EXPECT_EQ(shot.Pixel(x, y), TColor(0xE8E8E8)) << x << "," << y;
    }

    bar->SetPosition(150);  // over the top: all filled
    const TBitmap full = Capture(*bar);
    EXPECT_EQ(full.Pixel(148, 5), fill.Pixel(0, 4));
    bar->SetMax(0);  // Min = Max: nothing filled
    bar->SetMin(0);
    const TBitmap empty = Capture(*bar);
    EXPECT_EQ(bar->Text(), "0%");
    EXPECT_EQ(empty.Pixel(1, 5), TColor(0xE8E8E8));
}

TEST_F(ProgressBarTest, SmartCaptionHidesOnlyAtMin)
{
    auto* bar = MakeBar(150, 12);
    bar->SetPosition(0);
    ShowForm();
    bar->SetShowCaption(false);
    const TBitmap bare = Capture(*bar);
    bar->SetShowCaption(true);
    EXPECT_FALSE(Capture(*bar) == bare);  // "0%"
    bar->SetSmartShowCaption(true);
    EXPECT_TRUE(Capture(*bar) == bare);
    bar->SetPosition(1);
    bar->SetShowCaption(false);
    const TBitmap bareOne = Capture(*bar);
    bar->SetShowCaption(true);
    EXPECT_FALSE(Capture(*bar) == bareOne);  // "1%"
}

TEST_F(ProgressBarTest, CaptionIsCentredInTheDefaultFontAndCaptionColor)
{
    auto* bar = MakeBar(150, 12);
    bar->Font().SetHeight(-20);  // not used for the caption
    bar->SetCaptionColor(clRed);
    ShowForm();
    const TBitmap shot = Capture(*bar);
    // Box font, -11: "50%" is 15 wide and 11 high, boxes from row 1 to 8 of the line, each
    // 4 of its 5 columns: the text starts at ((150 - 15) / 2, (12 - 11) / 2) = (67, 0).
    int left = 150, right = -1, top = 12, bottom = -1;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 150; ++x)
            if (shot.Pixel(x, y) == clRed) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(left, 67);
    EXPECT_EQ(right, 67 + 13);
    EXPECT_EQ(top, 1);
    EXPECT_EQ(bottom, 8);
}

TEST_F(ProgressBarTest, AVerticalBarWithoutSkinLosesItsCaptionForGood)
{
    auto* bar = MakeBar(12, 150);
    bar->SetOrientation(suiVertical);
    EXPECT_EQ(bar->Picture().Width(), 10);  // turned a quarter left
    EXPECT_EQ(bar->Picture().Height(), 1);
    EXPECT_TRUE(bar->ShowCaption());
    ShowForm();
    EXPECT_FALSE(bar->ShowCaption());
    // 50 % of 149 is 74: the fill takes rows 75 .. 148, Color rows 1 .. 74.
    const TBitmap shot = Capture(*bar);
    TBitmap fill = StylePicture(DeepBlue);
    RotateBitmapLeft(fill);
    for (int x = 1; x <= 10; ++x) {
        EXPECT_EQ(shot.Pixel(x, 75), fill.Pixel(x - 1, 0)) << x;
        EXPECT_EQ(shot.Pixel(x, 148), fill.Pixel(x - 1, 0)) << x;
        EXPECT_EQ(shot.Pixel(x, 74), TColor(0xE8E8E8)) << x;
        EXPECT_EQ(shot.Pixel(x, 1), TColor(0xE8E8E8)) << x;
    }
    EXPECT_EQ(shot.Pixel(5, 149), clBlack);
    bar->SetShowCaption(true);
    bar->Repaint();
    EXPECT_FALSE(bar->ShowCaption());
}

#ifdef MERROWIN_BUILTIN_SKIN

class SkinnedProgressBar : public ProgressBarTest {
protected:
    void SetUp() override
    {
        ProgressBarTest::SetUp();
        theme = new TsuiFileTheme(form, skin.services);
        theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
        ASSERT_TRUE(theme->Ready());
    }
    TsuiProgressBar* MakeSkinnedBar(int width, int height)
    {
        auto* bar = MakeBar(width, height);
        bar->SetShowCaption(false);
        bar->SetUIStyle(FromThemeFile);
        bar->SetFileTheme(theme);
        return bar;
    }
    const TBitmap& Piece(TsuiSkinBitmapKey key) { return *theme->GetBitmap(key); }

    TSkinFixture skin;
    TsuiFileTheme* theme = nullptr;
};

TEST_F(SkinnedProgressBar, ThePiecesRunAcrossTheWholeBarWithoutBorder)
{
    auto* bar = MakeSkinnedBar(150, 17);
    EXPECT_EQ(bar->Color(), theme->GetColor(SKIN2_CONTROLCOLOR));
    EXPECT_EQ(bar->BorderColor(), theme->GetColor(SKIN2_CONTROLBORDERCOLOR));
    ASSERT_NE(bar->StartCap(), nullptr);
    const TBitmap& start = Piece(SKIN2_PROGRESSBAR1);
    const TBitmap& fill = Piece(SKIN2_PROGRESSBAR2);
    const TBitmap& rest = Piece(SKIN2_PROGRESSBAR3);
    const TBitmap& end = Piece(SKIN2_PROGRESSBAR4);
    ASSERT_EQ(start.Width(), 1);
    ASSERT_EQ(end.Width(), 1);
    ASSERT_EQ(start.Height(), 17);
    ShowForm();
    const TBitmap shot = Capture(*bar);
    // 50 % of 150 - 1 - 1 is 74: fill over x 1 .. 74, the rest over 75 .. 148.
    for (int y = 0; y < 17; ++y) {
        EXPECT_EQ(shot.Pixel(0, y), start.Pixel(0, y)) << y;
        EXPECT_EQ(shot.Pixel(1, y), fill.Pixel(0, y)) << y;
        EXPECT_EQ(shot.Pixel(74, y), fill.Pixel(fill.Width() - 1, y)) << y;
        EXPECT_EQ(shot.Pixel(75, y), rest.Pixel(0, y)) << y;
        EXPECT_EQ(shot.Pixel(148, y), rest.Pixel(rest.Width() - 1, y)) << y;
        EXPECT_EQ(shot.Pixel(149, y), end.Pixel(0, y)) << y;
    }
}

// A fill picture whose rows all differ, squeezed from 17 rows into 12.
TEST_F(SkinnedProgressBar, ALowerBarKeepsTwoRowsAtEachEdge)
{
    auto* bar = MakeSkinnedBar(150, 12);
    TPicture rows;
    rows.Bitmap().SetSize(8, 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 8; ++x)
            rows.Bitmap().SetPixel(x, y, RGB(uint8_t(y * 15), 40, 90));
    bar->SetPicture(rows);
    bar->SetPosition(100);
    ShowForm();
    const TBitmap shot = Capture(*bar);
    auto row = [&](int y) { return shot.Pixel(20, y); };
    EXPECT_EQ(row(0), RGB(0, 40, 90));
    EXPECT_EQ(row(1), RGB(15, 40, 90));
    EXPECT_EQ(row(10), RGB(15 * 15, 40, 90));
    EXPECT_EQ(row(11), RGB(16 * 15, 40, 90));
    // The 13 middle rows 2 .. 14 over the 8 rows 2 .. 9, nearest pixel.
    for (int y = 2; y < 10; ++y)
        EXPECT_EQ(row(y), RGB(uint8_t((2 + (2 * (y - 2) + 1) * 13 / 16) * 15), 40, 90)) << y;
}

TEST_F(SkinnedProgressBar, AVerticalBarTurnsThePiecesAndGrowsUpwards)
{
    auto* bar = MakeSkinnedBar(17, 150);
    bar->SetOrientation(suiVertical);
    ASSERT_NE(bar->StartCap(), nullptr);
    EXPECT_EQ(bar->StartCap()->Width(), 17);
    EXPECT_EQ(bar->StartCap()->Height(), 1);
    EXPECT_EQ(bar->Picture().Width(), 17);
    EXPECT_EQ(bar->Picture().Height(), 8);
    ShowForm();
    const TBitmap shot = Capture(*bar);
    TBitmap start = Piece(SKIN2_PROGRESSBAR1);
    RotateBitmapLeft(start);
    TBitmap end = Piece(SKIN2_PROGRESSBAR4);
    RotateBitmapLeft(end);
    TBitmap fill = Piece(SKIN2_PROGRESSBAR2);
    RotateBitmapLeft(fill);
    TBitmap rest = Piece(SKIN2_PROGRESSBAR3);
    RotateBitmapLeft(rest);
    // Start cap row 149, fill rows 75 .. 148, the rest 1 .. 74, end cap row 0.
    for (int x = 0; x < 17; ++x) {
        EXPECT_EQ(shot.Pixel(x, 149), start.Pixel(x, 0)) << x;
        EXPECT_EQ(shot.Pixel(x, 148), fill.Pixel(x, 7)) << x;
        EXPECT_EQ(shot.Pixel(x, 75), fill.Pixel(x, 0)) << x;
        EXPECT_EQ(shot.Pixel(x, 74), rest.Pixel(x, 7)) << x;
        EXPECT_EQ(shot.Pixel(x, 1), rest.Pixel(x, 0)) << x;
        EXPECT_EQ(shot.Pixel(x, 0), end.Pixel(x, 0)) << x;
    }
    // With a skin the caption stays.
    bar->SetShowCaption(true);
    bar->Repaint();
    EXPECT_TRUE(bar->ShowCaption());
}

TEST_F(SkinnedProgressBar, ARemovedThemeFallsBackToDeepBlueAndKeepsThePieces)
{
    auto* bar = MakeSkinnedBar(150, 12);
    delete theme;
    theme = nullptr;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), DeepBlue);
    EXPECT_NE(bar->StartCap(), nullptr);
    EXPECT_EQ(bar->Color(), TColor(0xE8E8E8));
    ShowForm();
    EXPECT_EQ(Capture(*bar).Pixel(0, 5), clBlack);  // the built-in border again
}

#endif

// --- Golden pictures ------------------------------------------------------------------------------

TEST_F(ProgressBarTest, GoldenBarsInTheSkinAndTwoStyles)
{
    UsePinnedFonts();
    ShowForm();
    TSheet sheet;
    int row = 0;
    auto shoot = [&](TsuiUIStyle style, TsuiFileTheme* theme, TsuiProgressBarOrientation orientation, int position,
                     bool smart) {
        const bool vertical = orientation == suiVertical;
        auto* bar = MakeBar(vertical ? 17 : 150, vertical ? 120 : 17);
        bar->SetUIStyle(style);
        bar->SetFileTheme(theme);
        bar->SetOrientation(orientation);
        bar->SetSmartShowCaption(smart);
        bar->SetPosition(position);
        sheet.Add(row, Capture(*bar));
        delete bar;
    };
    auto rowOf = [&](TsuiUIStyle style, TsuiFileTheme* theme) {
        for (int position : {0, 1, 50, 100})
            shoot(style, theme, suiHorizontal, position, position == 0);
        for (int position : {0, 50, 100})
            shoot(style, theme, suiVertical, position, false);
        ++row;
    };
#ifdef MERROWIN_BUILTIN_SKIN
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    rowOf(FromThemeFile, theme);
#endif
    rowOf(DeepBlue, nullptr);
    rowOf(MacOS, nullptr);
    ExpectGolden(sheet.Render(), "controls-progressbar.png");
}
