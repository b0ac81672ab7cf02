// The skinned check box: OnClick on every change but never while loading, the toggle from the
// mouse, keys and mnemonics, auto size, the state pictures of the built-in and skin strips, and
// a golden sheet of its states.
#include "skin/ControlTestSupport.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/SimpleControlClasses.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/layout/LayoutReader.h"

#include <string>
#include <vector>

using namespace controltest;

namespace {

class CheckBoxTest : public ControlTest {
protected:
    TsuiCheckBox* MakeBox(TWinControl* parent, const std::string& caption, int left, int top)
    {
        auto* box = new TsuiCheckBox(form);
        box->SetParent(parent);
        box->SetBounds(left, top, 93, 17);
        box->SetCaption(caption);
        box->OnClick = [this, box](TObject*) { clicks.push_back(box->Caption() + (box->Checked() ? " on" : " off")); };
        return box;
    }
    // The 13 x 13 picture as painted (at x = 1, centred vertically).
    TBitmap GlyphShown(TsuiCheckBox& box, int size)
    {
        const TBitmap shot = Capture(box);
        TBitmap glyph(size, size);
        TCanvas canvas(glyph);
        canvas.CopyRect(TRect(0, 0, size, size), shot, Bounds(1, (shot.Height() - size) / 2, size, size));
        return glyph;
    }
    std::vector<std::string> clicks;
};

TBitmap StyleFrame(TsuiUIStyle style, int element, int frame)
{
    TBitmap glyph;
    GetStyleBitmap(style, element, &glyph, 4, frame);
    return glyph;
}

} // namespace

TEST_F(CheckBoxTest, NewBoxTakesItsParentsColourAndIsUnchecked)
{
    auto* box = MakeBox(form, "", 0, 0);
    EXPECT_TRUE(box->AutoSize());
    EXPECT_TRUE(box->TabStop());
    EXPECT_TRUE(box->ParentColor());
    EXPECT_EQ(box->Color(), kFormColor);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(box->UIStyle(), DeepBlue);
    auto* loose = new TsuiCheckBox(form);
    EXPECT_EQ(loose->Width(), 93);
    EXPECT_EQ(loose->Height(), 17);
}

TEST_F(CheckBoxTest, EveryChangeByCodeFiresOnClickAndGrayedUnchecks)
{
    auto* box = MakeBox(form, "A", 0, 0);
    box->SetChecked(true);
    box->SetChecked(true);  // no change, no event
    box->SetState(cbGrayed);
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetState(cbChecked);
    SetEnumProp(*box, "State", "cbGrayed");
    EXPECT_EQ(clicks, (std::vector<std::string>{"A on", "A off", "A on", "A off"}));
}

TEST_F(CheckBoxTest, LoadingALayoutSetsTheStateWithoutEvents)
{
    RegisterSimpleControlClasses();
    int fired = 0;
    // Layouts find handlers on the topmost owner: here the application.
    app_->DefineHandler("BoxClick", TNotifyEvent([&](TObject*) { ++fired; }));
    ReadLayout(*form, R"(
object Form: TForm
  object Box: TsuiCheckBox
    OnClick = BoxClick
    Checked = True
    State = cbGrayed
    State = cbChecked
  end
end)");
    auto* box = form->Find<TsuiCheckBox>("Box");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(fired, 0);
    box->SetChecked(false);
    EXPECT_EQ(fired, 1);
}

TEST_F(CheckBoxTest, ClicksKeysAndMnemonicsToggle)
{
    auto* box = MakeBox(form, "&Accept", 10, 10);
    auto* other = MakeBox(form, "Other", 10, 40);
    ShowForm();
    Run("click 15 15");
    EXPECT_TRUE(box->Focused());
    Run("click 15 15");  // quick enough for a double click: still two clicks
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Accept on", "&Accept off"}));

    clicks.clear();
    Run("key Space; key Return");  // toggles on release, each
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Accept on", "&Accept off"}));

    clicks.clear();
    other->SetFocus();
    Run("key a");  // no Alt needed; the box takes the focus
    EXPECT_EQ(clicks, std::vector<std::string>{"&Accept on"});
    EXPECT_TRUE(box->Focused());

    clicks.clear();
    box->SetEnabled(false);
    Run("click 15 15; key alt+a");
    EXPECT_TRUE(clicks.empty());
}

TEST_F(CheckBoxTest, AHiddenBoxIgnoresItsMnemonic)
{
    auto* page = new TPanel(form);
    page->SetParent(form);
    page->SetBounds(0, 100, 200, 60);
    auto* box = MakeBox(page, "&Hidden", 10, 10);
    auto* other = MakeBox(form, "Other", 10, 10);
    ShowForm();
    other->SetFocus();
    page->Hide();
    Run("key h");
    EXPECT_TRUE(clicks.empty());
    page->Show();
    Run("key h");
    EXPECT_EQ(clicks, std::vector<std::string>{"&Hidden on"});
    EXPECT_TRUE(box->Checked());
}

// Box font: height 13 gives a "W" 13 high; eight narrow characters of 6 and four wide ones of
// 13 make a caption 100 wide. DeepBlue's picture is 13 x 13.
TEST_F(CheckBoxTest, AutoSizeFitsPictureAndCaption)
{
    auto* box = MakeBox(form, "abcdefgh墙纸墙纸", 10, 10);
    box->Font().SetHeight(-13);
    ShowForm();
    Capture(*box);
    EXPECT_EQ(box->Width(), 13 + 100 + 8);
    EXPECT_EQ(box->Height(), 19);
    box->SetAutoSize(false);
    box->SetBounds(10, 10, 50, 40);
    Capture(*box);
    EXPECT_EQ(box->Width(), 50);
}

TEST_F(CheckBoxTest, BuiltInPicturesByCheckedAndEnabled)
{
    auto* box = MakeBox(form, "x", 10, 10);
    ShowForm();
    struct Case {
        bool checked, enabled;
        int frame;
    };
    for (TsuiUIStyle style : {DeepBlue, WinXP}) {
        box->SetUIStyle(style);
        for (const Case& c : {Case{true, true, 1}, Case{false, true, 2}, Case{true, false, 3}, Case{false, false, 4}}) {
            box->SetChecked(c.checked);
            box->SetEnabled(c.enabled);
            EXPECT_TRUE(GlyphShown(*box, 13) == StyleFrame(style, STYLE_CHECKBOX_IMAGE, c.frame))
                << int(style) << " frame " << c.frame;
        }
    }
}

TEST_F(CheckBoxTest, WithoutAPictureTheCaptionStartsAtFour)
{
    auto* box = MakeBox(form, "abc", 10, 10);
    box->Font().SetColor(clRed);
    box->SetUIStyle(static_cast<TsuiUIStyle>(9));  // no such style: no picture
    ShowForm();
    const TBitmap shot = Capture(*box);
    EXPECT_EQ(box->Width(), 0 + 15 + 8);
    int left = shot.Width();
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.Pixel(x, y) == clRed)
                left = std::min(left, x);
    EXPECT_EQ(left, 4);
}

TEST_F(CheckBoxTest, TheCaptionKeepsItsColourWhenDisabledAndTheFocusIsDotted)
{
    auto* box = MakeBox(form, "abc", 10, 10);
    auto* other = MakeBox(form, "", 10, 60);
    box->Font().SetColor(clRed);
    ShowForm();
    other->SetFocus();
    const TBitmap plain = Capture(*box);
    box->SetEnabled(false);
    const TBitmap disabled = Capture(*box);
    int redPlain = 0, redDisabled = 0;
    for (int y = 0; y < plain.Height(); ++y)
        for (int x = 14; x < plain.Width(); ++x) {
            redPlain += plain.Pixel(x, y) == clRed;
            redDisabled += disabled.Pixel(x, y) == clRed;
        }
    EXPECT_GT(redPlain, 0);
    EXPECT_EQ(redPlain, redDisabled);

    box->SetEnabled(true);
    box->SetFocus();
    const TBitmap focused = Capture(*box);
    // Box font -11 in a 17-high box: text top (17 - 11) / 2 = 3; the dotted frame runs from
    // x = 13 + 3 to the right edge and from y = 3 to 3 + 11 + 2, a dot where x + y is even.
    EXPECT_NE(focused.Pixel(17, 3), plain.Pixel(17, 3));
    EXPECT_EQ(focused.Pixel(15, 3), plain.Pixel(15, 3));
    box->SetTabStop(false);  // focused still, but not drawn so
    box->Repaint();
    EXPECT_TRUE(Capture(*box) == plain);
}

#ifdef MERROWIN_BUILTIN_SKIN
TEST_F(CheckBoxTest, TheSkinsSixFrameStripAndItsRemoval)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    auto* box = MakeBox(form, "x", 10, 10);
    box->SetUIStyle(FromThemeFile);
    box->SetFileTheme(theme);
    ShowForm();
    const TBitmap* strip = theme->GetBitmap(SKIN2_CHECKBOX);
    ASSERT_NE(strip, nullptr);
    const int size = strip->Width() / 6;
    struct Case {
        bool checked, enabled;
        int frame;
    };
    for (const Case& c : {Case{true, true, 1}, Case{false, true, 3}, Case{true, false, 4}, Case{false, false, 6}}) {
        box->SetChecked(c.checked);
        box->SetEnabled(c.enabled);
        TBitmap expected;
        theme->CopyBitmap(SKIN2_CHECKBOX, &expected, 6, c.frame);
        EXPECT_TRUE(GlyphShown(*box, size) == expected) << "frame " << c.frame;
    }
    delete theme;
    EXPECT_EQ(box->UIStyle(), DeepBlue);
    EXPECT_TRUE(GlyphShown(*box, 13) == StyleFrame(DeepBlue, STYLE_CHECKBOX_IMAGE, 4));
}
#endif

// --- Golden pictures ------------------------------------------------------------------------------

TEST_F(CheckBoxTest, GoldenStatesInTheSkinAndTwoStyles)
{
    UsePinnedFonts();
    auto* parking = MakeBox(form, "", 300, 220);
    ShowForm();
    TSheet sheet;
    int row = 0;
    auto rowOf = [&](TsuiUIStyle style, TsuiFileTheme* theme) {
        for (int state = 0; state < 6; ++state) {
            auto* box = MakeBox(form, "我接受许可协议(&A)", 10, 10);
            box->SetUIStyle(style);
            box->SetFileTheme(theme);
            box->SetChecked(state % 2 == 1);
            parking->SetFocus();
            if (state / 2 == 1)
                box->SetFocus();
            if (state / 2 == 2)
                box->SetEnabled(false);
            sheet.Add(row, Capture(*box));
            delete box;
        }
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
    ExpectGolden(sheet.Render(), "controls-checkbox.png");
}
