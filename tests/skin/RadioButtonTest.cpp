// The skinned radio button: groups by parent and GroupIndex, OnClick only on becoming checked,
// keys that do nothing, double clicks, loading, its transparent pictures, and a golden sheet.
#include "skin/ControlTestSupport.h"
#include "skin/controls/RadioButton.h"
#include "skin/controls/SimpleControlClasses.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/layout/LayoutReader.h"

#include <string>
#include <vector>

using namespace controltest;

namespace {

class RadioButtonTest : public ControlTest {
protected:
    TsuiRadioButton* MakeRadio(TWinControl* parent, const std::string& caption, int left, int top, int group = 0)
    {
        auto* radio = new TsuiRadioButton(form);
        radio->SetParent(parent);
        radio->SetBounds(left, top, 93, 17);
        radio->SetCaption(caption);
        radio->SetGroupIndex(group);
        radio->OnClick = [this, radio](TObject*) { events.push_back(radio->Caption() + " click"); };
        radio->OnDblClick = [this, radio](TObject*) { events.push_back(radio->Caption() + " double"); };
        return radio;
    }
    std::vector<std::string> events;
};

} // namespace

TEST_F(RadioButtonTest, CheckingUnchecksTheGroupSilently)
{
    auto* a = MakeRadio(form, "A", 10, 10);
    auto* b = MakeRadio(form, "B", 10, 30);
    auto* c = MakeRadio(form, "C", 10, 50);
    auto* other = MakeRadio(form, "Other", 10, 70, 1);
    a->SetChecked(true);
    other->SetChecked(true);
    events.clear();
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(c->Checked());
    EXPECT_TRUE(other->Checked());  // another GroupIndex
    EXPECT_EQ(events, std::vector<std::string>{"B click"});
    events.clear();
    b->SetChecked(false);  // by code: no event, nothing else checked
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(a->Checked() || b->Checked() || c->Checked());
}

TEST_F(RadioButtonTest, GroupsNeverReachAcrossParents)
{
    auto* left = new TPanel(form);
    left->SetParent(form);
    left->SetBounds(0, 0, 150, 100);
    auto* right = new TPanel(form);
    right->SetParent(form);
    right->SetBounds(150, 0, 150, 100);
    auto* a = MakeRadio(left, "A", 10, 10);
    auto* b = MakeRadio(right, "B", 10, 10);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(b->Checked());
    b->SetParent(left);  // now siblings: the next check decides
    a->SetChecked(false);
    a->SetChecked(true);
    EXPECT_FALSE(b->Checked());
}

TEST_F(RadioButtonTest, AClickChecksButNeverUnchecks)
{
    auto* a = MakeRadio(form, "A", 10, 10);
    auto* b = MakeRadio(form, "B", 10, 40);
    ShowForm();
    Run("click 15 15");
    EXPECT_TRUE(a->Checked());
    app_->Sleep(1000);  // no double click
    Run("click 15 15");  // checked already: nothing
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(events, std::vector<std::string>{"A click"});
    events.clear();
    app_->Sleep(1000);
    Run("click 15 45");
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(events, std::vector<std::string>{"B click"});
}

TEST_F(RadioButtonTest, ADoubleClickIsOneClickAndADoubleClick)
{
    auto* a = MakeRadio(form, "A", 10, 10);
    ShowForm();
    Run("click 15 15; click 15 15");
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(events, (std::vector<std::string>{"A click", "A double"}));
}

TEST_F(RadioButtonTest, SpaceAndReturnDoNothingButMnemonicsCheck)
{
    auto* a = MakeRadio(form, "&Accept", 10, 10);
    auto* b = MakeRadio(form, "&Decline", 10, 40);
    ShowForm();
    a->SetFocus();
    Run("key Space; key Return");
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(events.empty());
    Run("key d");
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(events, std::vector<std::string>{"&Decline click"});
}

TEST_F(RadioButtonTest, LoadingKeepsTheLastCheckedAndFiresNothing)
{
    RegisterSimpleControlClasses();
    int fired = 0;
    app_->DefineHandler("RadioClick", TNotifyEvent([&](TObject*) { ++fired; }));
    ReadLayout(*form, R"(
object Form: TForm
  object First: TsuiRadioButton
    OnClick = RadioClick
    Checked = True
  end
  object Second: TsuiRadioButton
    OnClick = RadioClick
    Checked = True
  end
  object Elsewhere: TsuiRadioButton
    OnClick = RadioClick
    GroupIndex = 2
    Checked = True
  end
end)");
    EXPECT_FALSE(form->Find<TsuiRadioButton>("First")->Checked());
    EXPECT_TRUE(form->Find<TsuiRadioButton>("Second")->Checked());
    EXPECT_TRUE(form->Find<TsuiRadioButton>("Elsewhere")->Checked());
    EXPECT_EQ(fired, 0);
}

TEST_F(RadioButtonTest, PicturesAreTransparentFramesOfTheFourFrameStrip)
{
    auto* radio = MakeRadio(form, "", 10, 10);
    ShowForm();
    TBitmap strip;
    GetStyleBitmap(DeepBlue, STYLE_RADIOBUTTON_IMAGE, &strip, 0, 0);
    ASSERT_EQ(strip.Width(), 52);
    struct Case {
        bool checked, enabled;
        int frame;
    };
    for (const Case& c : {Case{true, true, 1}, Case{false, true, 2}, Case{true, false, 3}, Case{false, false, 4}}) {
        radio->SetChecked(c.checked);
        radio->SetEnabled(c.enabled);
        const TBitmap shot = Capture(*radio);
        TBitmap frame;
        GetStyleBitmap(DeepBlue, STYLE_RADIOBUTTON_IMAGE, &frame, 4, c.frame);
        const TColor key = frame.Pixel(0, frame.Height() - 1);
        const int top = (shot.Height() - 13) / 2;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const TColor expected = frame.Pixel(x, y) == key ? kFormColor : frame.Pixel(x, y);
                ASSERT_EQ(shot.Pixel(1 + x, top + y), expected) << "frame " << c.frame << " at " << x << "," << y;
            }
    }
}

#ifdef MERROWIN_BUILTIN_SKIN
TEST_F(RadioButtonTest, TheSkinsRadioStripHasFourFrames)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    auto* radio = MakeRadio(form, "", 10, 10);
    radio->SetUIStyle(FromThemeFile);
    radio->SetFileTheme(theme);
    radio->SetChecked(true);
    radio->SetEnabled(false);
    ShowForm();
    const TBitmap shot = Capture(*radio);
    TBitmap frame;
    theme->CopyBitmap(SKIN2_RADIOBUTTON, &frame, 4, 3);
    ASSERT_EQ(frame.Width(), theme->GetBitmap(SKIN2_RADIOBUTTON)->Width() / 4);
    EXPECT_EQ(radio->Width(), frame.Width() + 8);
    const int top = (shot.Height() - frame.Height()) / 2;
    const TColor key = frame.Pixel(0, frame.Height() - 1);
    int compared = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            if (frame.Pixel(x, y) != key) {
                EXPECT_EQ(shot.Pixel(1 + x, top + y), frame.Pixel(x, y));
                ++compared;
            }
    EXPECT_GT(compared, 0);
}
#endif

TEST_F(RadioButtonTest, GoldenStatesInTheSkinAndTwoStyles)
{
    UsePinnedFonts();
    auto* parking = MakeRadio(form, "", 300, 220);
    ShowForm();
    TSheet sheet;
    int row = 0;
    auto rowOf = [&](TsuiUIStyle style, TsuiFileTheme* theme) {
        for (int state = 0; state < 6; ++state) {
            auto* radio = MakeRadio(form, "我不接受许可协议(&D)", 10, 10, 5);
            radio->SetUIStyle(style);
            radio->SetFileTheme(theme);
            radio->SetChecked(state % 2 == 1);
            parking->SetFocus();
            if (state / 2 == 1)
                radio->SetFocus();
            if (state / 2 == 2)
                radio->SetEnabled(false);
            sheet.Add(row, Capture(*radio));
            delete radio;
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
    ExpectGolden(sheet.Render(), "controls-radiobutton.png");
}
