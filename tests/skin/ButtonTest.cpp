// The skinned push button: its state machine on the headless host and the virtual clock, Enter,
// Esc and mnemonics across pages, the face and caption it paints, and a golden sheet of every
// state in the built-in skin and two built-in styles.
#include "skin/ControlTestSupport.h"
#include "skin/controls/Button.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/graphics/SystemColors.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace controltest;

namespace {

// A focusable control that is not a button and takes no characters.
class TPlainControl : public TCustomControl {
public:
    explicit TPlainControl(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

class ButtonTest : public ControlTest {
protected:
    TsuiButton* MakeButton(TWinControl* parent, const std::string& caption, int left, int top)
    {
        auto* button = new TsuiButton(form);
        button->SetParent(parent);
        button->SetLeft(left);
        button->SetTop(top);
        button->SetCaption(caption);
        button->OnClick = [this, button](TObject*) { clicks.push_back(button->Caption()); };
        return button;
    }

    void PostKey(HostEventType type, int key, unsigned shift = 0)
    {
        HostEvent event;
        event.type = type;
        event.window = form->Host()->Id();
        event.key = key;
        event.shift = shift;
        host_->Post(event);
        app_->ProcessMessages();
    }

    std::vector<std::string> clicks;
};

std::set<std::pair<int, int>> Differences(const TBitmap& a, const TBitmap& b)
{
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                points.insert({x, y});
    return points;
}

std::set<std::pair<int, int>> PixelsOf(const TBitmap& picture, TColor color)
{
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) == color)
                points.insert({x, y});
    return points;
}

} // namespace

// --- State and properties -----------------------------------------------------------------------

TEST_F(ButtonTest, NewButtonTakesTheLooksOfItsStyle)
{
    auto* button = MakeButton(form, "OK", 0, 0);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 27);
    EXPECT_EQ(button->UIStyle(), DeepBlue);
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(button->Font().Color(), clBlack);
    EXPECT_EQ(GetOrdProp(*button, "ResHandle"), 0);
    SetOrdProp(*button, "ResHandle", 1234);
    EXPECT_EQ(GetOrdProp(*button, "ResHandle"), 0);
    EXPECT_EQ(button->Perform(MSG_BUTTON_QUERY), 1);

    for (TsuiUIStyle style : {MacOS, BlueGlass}) {
        button->SetUIStyle(style);
        EXPECT_TRUE(button->Transparent()) << int(style);
    }
    button->SetFont(TFont());
    button->SetUIStyle(WinXP);
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(button->Font().Color(), clBlack);
}

TEST_F(ButtonTest, TextAndCaptionAreOneValue)
{
    auto* button = MakeButton(form, "Next", 0, 0);
    EXPECT_EQ(button->Text(), "Next");
    button->SetText("Back");
    EXPECT_EQ(button->Caption(), "Back");
    SetStrProp(*button, "Caption", "Done");
    EXPECT_EQ(button->Text(), "Done");
}

TEST_F(ButtonTest, AutoSizeTakesAThirdOfTheStoredStylesStrip)
{
    auto* button = MakeButton(form, "", 0, 0);
    button->SetUIStyle(FromThemeFile);  // no strip of its own: 74 x 21 counts
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 21);
    button->SetUIStyle(MacOS);  // a style change does not size again
    EXPECT_EQ(button->Width(), 24);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 252 / 3);
    EXPECT_EQ(button->Height(), 23);
    button->SetUIStyle(DeepBlue);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 74);
    EXPECT_EQ(button->Height(), 21);
}

// --- Mouse ------------------------------------------------------------------------------------

TEST_F(ButtonTest, HoldingRepeatsOnTheIntervalAndReleaseInsideClicksOnce)
{
    auto* button = MakeButton(form, "Hold", 10, 10);
    std::vector<uint64_t> ticks;
    button->OnMouseContinuouslyDown = [&](TObject*) { ticks.push_back(app_->Now()); };
    ShowForm();
    const uint64_t start = app_->Now();
    Run("move 20 20; down 20 20");
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->Focused());
    Advance(99);
    EXPECT_TRUE(ticks.empty());
    Advance(251);
    EXPECT_EQ(ticks, (std::vector<uint64_t>{start + 100, start + 200, start + 300}));
    Run("up 20 20");
    EXPECT_EQ(clicks, std::vector<std::string>{"Hold"});
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->Repeating());
    Advance(300);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(ButtonTest, AnIntervalOfZeroOrLessNeverRepeats)
{
    auto* button = MakeButton(form, "Hold", 10, 10);
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
    ShowForm();
    for (int interval : {0, -50}) {
        button->SetMouseContinuouslyDownInterval(interval);
        Run("move 20 20; down 20 20");
        EXPECT_TRUE(button->Repeating());
        Advance(500);
        Run("up 20 20");
    }
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(ButtonTest, ARepeatHandlerMayEndTheHoldOrFreeTheButton)
{
    auto* button = MakeButton(form, "Hold", 10, 10);
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) {
        ++ticks;
        button->Click();  // ends the press and frees the timer that is ticking
    };
    ShowForm();
    Run("move 20 20; down 20 20");
    Advance(350);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(button->Repeating());
    EXPECT_EQ(clicks, std::vector<std::string>{"Hold"});
    Run("up 20 20");

    auto* doomed = MakeButton(form, "Doomed", 100, 10);
    doomed->OnMouseContinuouslyDown = [&](TObject*) {
        ++ticks;
        delete doomed;
    };
    Run("move 110 20; down 110 20");
    Advance(350);
    EXPECT_EQ(ticks, 2);
    Run("up 110 20");
}

TEST_F(ButtonTest, ReleasingOutsideDoesNotClickAndStopsTheRepeat)
{
    auto* button = MakeButton(form, "Hold", 10, 10);
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
    ShowForm();
    Run("move 20 20; down 20 20");
    Advance(150);
    Run("move 200 200");
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOver());
    Run("up 200 200");
    Advance(300);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(button->Repeating());
}

TEST_F(ButtonTest, ReleasingWithoutLeavingFirstStillEndsTheHold)
{
    auto* button = MakeButton(form, "Hold", 10, 10);
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
    ShowForm();
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    button->Perform(WM_LBUTTONUP, 0, MakeLParam(-40, 5));
    Advance(300);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(button->Pressed());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ButtonTest, MovingPastTheEdgeDropsThePressButTheEdgeItselfIsInside)
{
    auto* button = MakeButton(form, "Hold", 10, 10);
    ShowForm();
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    button->Perform(CM_MOUSEENTER);
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(button->Width(), button->Height()));
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->MouseOver());
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(button->Width() + 1, 5));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOver());
    EXPECT_TRUE(button->Repeating());  // only leaving, a click or a cancel frees the timer
    button->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(button->Repeating());
}

TEST_F(ButtonTest, TwoQuickClicksAreTwoClicks)
{
    MakeButton(form, "Twice", 10, 10);
    ShowForm();
    Run("click 20 20; click 20 20");
    EXPECT_EQ(clicks, (std::vector<std::string>{"Twice", "Twice"}));
}

TEST_F(ButtonTest, EnterAndExitEventsFollowTheRepaintedState)
{
    auto* button = MakeButton(form, "Hover", 10, 10);
    std::vector<std::string> log;
    button->OnMouseEnter = [&](TObject*) { log.push_back(button->MouseOver() ? "enter over" : "enter"); };
    button->OnMouseExit = [&](TObject*) { log.push_back(button->MouseOver() ? "exit over" : "exit"); };
    ShowForm();
    Run("move 20 20; move 25 25; move 200 200");
    EXPECT_EQ(log, (std::vector<std::string>{"enter over", "exit"}));
}

TEST_F(ButtonTest, PressingAnotherControlCancelsTheFocusedButtonsHold)
{
    auto* button = MakeButton(form, "Held", 10, 10);
    auto* other = MakeButton(form, "Other", 100, 10);
    ShowForm();
    button->SetFocus();
    button->Perform(CM_MOUSEENTER);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    ASSERT_TRUE(button->Repeating());
    button->Perform(CM_CANCELMODE, 0, reinterpret_cast<TLParam>(other));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOver());
    EXPECT_FALSE(button->Repeating());
}

TEST_F(ButtonTest, ThePressOnTheFocusedButtonCancelsItsHoverAndARightPressItsHold)
{
    auto* button = MakeButton(form, "", 10, 10);
    int ticks = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
    ShowForm();
    button->SetFocus();
    const TBitmap normal = Capture(*button);
    Run("move 20 20");
    ASSERT_TRUE(button->MouseOver());
    Run("click 20 20");
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(button->MouseOver());
    EXPECT_TRUE(Capture(*button) == normal) << "the face is back to its first frame";
    Run("move 200 200; move 20 20");
    EXPECT_TRUE(button->MouseOver()) << "until the pointer comes back";

    Run("down 20 20");
    ASSERT_TRUE(button->Repeating()) << "the notice comes before the press, which starts the hold";
    Advance(150);
    button->Perform(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MakeLParam(10, 10));
    EXPECT_FALSE(button->Repeating());
    EXPECT_FALSE(button->Pressed());
    Advance(300);
    EXPECT_EQ(ticks, 1);
}

TEST_F(ButtonTest, AClickCopiesTheModalResultToTheFormEvenZero)
{
    auto* button = MakeButton(form, "OK", 10, 10);
    ShowForm();
    form->SetModalResult(mrCancel);
    Run("click 20 20");
    EXPECT_EQ(form->ModalResult(), mrNone);
    button->SetModalResult(mrOk);
    Run("click 20 20");
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(ButtonTest, ARemovedThemeLeavesTheButtonDeepBlue)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    auto* button = MakeButton(form, "OK", 10, 10);
    button->SetUIStyle(FromThemeFile);
    button->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(button->FileTheme(), nullptr);
    EXPECT_EQ(button->UIStyle(), DeepBlue);
}

// --- Keyboard -----------------------------------------------------------------------------------

class ButtonKeys : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        plain = new TPlainControl(form);
        plain->SetParent(form);
        plain->SetBounds(10, 100, 40, 20);
        plain->SetTabOrder(0);
        back = MakeButton(form, "&Back", 10, 10);
        next = MakeButton(form, "&Next", 100, 10);
        next->SetDefault(true);
        cancel = MakeButton(form, "Cancel", 190, 10);
        cancel->SetCancel(true);
        ShowForm();
    }

    TPlainControl* plain = nullptr;
    TsuiButton* back = nullptr;
    TsuiButton* next = nullptr;
    TsuiButton* cancel = nullptr;
};

TEST_F(ButtonKeys, EnterGoesToTheDefaultButtonOrTheFocusedSkinnedOne)
{
    ASSERT_EQ(form->ActiveControl(), plain);
    EXPECT_TRUE(next->ActiveDefault());
    Run("key Return; key Escape; key ctrl+Return; key shift+Escape");
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Next", "Cancel"}));

    clicks.clear();
    back->SetFocus();
    EXPECT_TRUE(back->ActiveDefault());
    EXPECT_FALSE(next->ActiveDefault());
    Run("key Return; key Escape");
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Back", "Cancel"}));

    clicks.clear();
    plain->SetFocus();
    EXPECT_TRUE(next->ActiveDefault());
    EXPECT_FALSE(back->ActiveDefault());
    next->SetDefault(false);
    back->SetDefault(true);
    EXPECT_TRUE(back->ActiveDefault());
    Run("key Return");
    EXPECT_EQ(clicks, std::vector<std::string>{"&Back"});
}

TEST_F(ButtonKeys, SpaceOrReturnPressesOnKeyDownAndClicksOnKeyUp)
{
    back->SetFocus();
    PostKey(HostEventType::KeyDown, VK_SPACE);
    EXPECT_TRUE(back->Pressed());
    EXPECT_TRUE(clicks.empty());
    PostKey(HostEventType::KeyUp, VK_SPACE);
    EXPECT_FALSE(back->Pressed());
    EXPECT_EQ(clicks, std::vector<std::string>{"&Back"});

    // A key up without the key down (the press began elsewhere) clicks nothing.
    clicks.clear();
    PostKey(HostEventType::KeyUp, VK_SPACE);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ButtonKeys, DefaultAndCancelOnAHiddenPageDoNotAnswer)
{
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(0, 130, 300, 100);
    auto* first = new TTabSheet(form);
    first->SetPageControl(pages);
    auto* second = new TTabSheet(form);
    second->SetPageControl(pages);
    pages->SetActivePage(first);
    next->SetDefault(false);
    cancel->SetCancel(false);
    auto* hiddenNext = MakeButton(second, "&Hidden", 10, 10);
    hiddenNext->SetDefault(true);
    auto* hiddenCancel = MakeButton(second, "Hidden Cancel", 100, 10);
    hiddenCancel->SetCancel(true);
    plain->SetFocus();
    Run("key Return; key Escape; key alt+h");
    EXPECT_TRUE(clicks.empty());
    pages->SetActivePage(second);
    Run("key Return; key Escape; key alt+h");
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Hidden", "Hidden Cancel", "&Hidden"}));
}

TEST_F(ButtonKeys, MnemonicsNeedAltUnlessASkinnedButtonHasTheFocus)
{
    plain->SetFocus();
    Run("key n");
    EXPECT_TRUE(clicks.empty());
    Run("key alt+n");
    EXPECT_EQ(clicks, std::vector<std::string>{"&Next"});
    clicks.clear();
    cancel->SetFocus();
    Run("key b");
    EXPECT_EQ(clicks, std::vector<std::string>{"&Back"});
    clicks.clear();
    back->SetEnabled(false);
    Run("key b; key alt+b");
    EXPECT_TRUE(clicks.empty());
}

// --- Painting -----------------------------------------------------------------------------------

TEST_F(ButtonTest, EachStateShowsItsFrameAndDisabledShowsTheFirst)
{
    auto* button = MakeButton(form, "", 10, 10);
    button->SetTabStop(false);  // no focus rectangle in the way
    ShowForm();
    const TBitmap normal = Capture(*button);
    button->Perform(CM_MOUSEENTER);
    const TBitmap hot = Capture(*button);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    const TBitmap pressed = Capture(*button);
    button->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    button->Perform(CM_MOUSELEAVE);
    button->SetEnabled(false);
    const TBitmap disabled = Capture(*button);
    EXPECT_FALSE(normal == hot);
    EXPECT_FALSE(normal == pressed);
    EXPECT_FALSE(hot == pressed);
    EXPECT_TRUE(disabled == normal);
}

TEST_F(ButtonTest, ADisabledCaptionIsEtchedWhiteUnderGrey)
{
    auto* button = MakeButton(form, "", 10, 10);
    button->SetTabStop(false);
    ShowForm();
    const TBitmap face = Capture(*button);
    button->SetCaption("II");
    const auto text = Differences(face, Capture(*button));
    ASSERT_FALSE(text.empty());
    button->SetEnabled(false);
    const TBitmap etched = Capture(*button);
    const auto grey = PixelsOf(etched, RGB(128, 128, 128));
    std::set<std::pair<int, int>> white;
    for (const auto& point : Differences(face, etched))
        if (etched.Pixel(point.first, point.second) == clWhite)
            white.insert(point);
    std::set<std::pair<int, int>> shifted;
    for (const auto& [x, y] : text)
        if (!text.count({x + 1, y + 1}))
            shifted.insert({x + 1, y + 1});
    EXPECT_EQ(grey, text);
    EXPECT_EQ(white, shifted);
}

TEST_F(ButtonTest, ACaptionOfBlanksDrawsNothing)
{
    auto* button = MakeButton(form, "", 10, 10);
    ShowForm();
    const TBitmap empty = Capture(*button);
    button->SetCaption(" \t ");
    EXPECT_TRUE(Capture(*button) == empty);
}

TEST_F(ButtonTest, FocusIsARectangleOrABoldCaptionByTheStoredStyle)
{
    auto* button = MakeButton(form, "Go", 10, 10);
    auto* other = new TPlainControl(form);
    other->SetParent(form);
    other->SetBounds(200, 200, 10, 10);
    ShowForm();
    const int margin = button->FocusedRectMargin();
    auto marginRow = [&](const TBitmap& p) {
        std::vector<TColor> row;
        for (int x = margin; x < p.Width() - margin; ++x)
            row.push_back(p.Pixel(x, margin));
        return row;
    };
    for (TsuiUIStyle style : {DeepBlue, WinXP, MacOS, BlueGlass}) {
        button->SetUIStyle(style);
        other->SetFocus();
        const TBitmap plain = Capture(*button);
        button->SetFocus();
        const TBitmap focused = Capture(*button);
        const bool bold = style == MacOS || style == BlueGlass;
        EXPECT_EQ(marginRow(plain) == marginRow(focused), bold) << int(style);
        EXPECT_FALSE(plain == focused) << int(style);
    }
}

// The glyph left of "OK" on an 80 x 27 button: box font, "OK" is 10 x 11.
TEST_F(ButtonTest, GlyphAndCaptionArePlacedByTheLayout)
{
    auto* button = MakeButton(form, "OK", 10, 10);
    TBitmap glyph(16, 16);
    TCanvas canvas(glyph);
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect(0, 0, 16, 16));
    canvas.Brush().SetColor(clLime);
    canvas.FillRect(TRect(4, 4, 12, 12));
    button->SetGlyph(glyph);
    ShowForm();
    struct Case {
        TButtonLayout layout;
        TPoint glyphAt;
        TPoint captionAt;
    };
    for (const Case& c : {Case{blGlyphLeft, {25, 5}, {45, 8}}, Case{blGlyphRight, {39, 5}, {25, 8}},
                          Case{blGlyphTop, {32, -2}, {35, 18}}, Case{blGlyphBottom, {32, 13}, {35, -2}}}) {
        button->SetLayout(c.layout);
        const TBitmap shown = Capture(*button);
        EXPECT_EQ(button->CaptionOrigin(), c.captionAt) << int(c.layout);
        EXPECT_EQ(shown.Pixel(c.glyphAt.X + 4, c.glyphAt.Y + 4 + 2), clLime) << int(c.layout);
        EXPECT_NE(shown.Pixel(c.glyphAt.X + 3, c.glyphAt.Y + 8), clLime) << int(c.layout);
    }
    button->SetLayout(blGlyphLeft);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    const TBitmap pressed = Capture(*button);
    // The green square moves from (29, 9) .. (36, 16) one pixel down and right.
    EXPECT_NE(pressed.Pixel(29, 9), clLime);
    EXPECT_EQ(pressed.Pixel(30, 10), clLime);
    EXPECT_EQ(pressed.Pixel(37, 17), clLime);
}

TEST_F(ButtonTest, AGlyphTwiceAsWideAsHighHoldsTheEnabledAndTheDisabledPicture)
{
    auto* button = MakeButton(form, "", 10, 10);
    TBitmap pair(32, 16);
    TCanvas canvas(pair);
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect(0, 0, 32, 16));
    canvas.Brush().SetColor(clLime);
    canvas.FillRect(TRect(4, 4, 12, 12));
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(TRect(20, 4, 28, 12));
    button->SetGlyph(pair);
    ShowForm();
    // No caption: the 16-pixel glyph stands at ((80 - 16 - 0 - 4) / 2, (27 - 16) / 2) = (30, 5).
    const TBitmap enabled = Capture(*button);
    EXPECT_EQ(enabled.Pixel(30 + 8, 5 + 8), clLime);
    EXPECT_TRUE(PixelsOf(enabled, clBlue).empty());
    button->SetEnabled(false);
    const TBitmap disabled = Capture(*button);
    EXPECT_EQ(disabled.Pixel(30 + 8, 5 + 8), clBlue);  // drawn as it is, not greyed
    EXPECT_TRUE(PixelsOf(disabled, clLime).empty());

    TBitmap single(16, 16);
    TCanvas one(single);
    one.Brush().SetColor(clFuchsia);
    one.FillRect(TRect(0, 0, 16, 16));
    one.Brush().SetColor(clLime);
    one.FillRect(TRect(4, 4, 12, 12));
    button->SetGlyph(single);
    const TBitmap greyed = Capture(*button);
    EXPECT_TRUE(PixelsOf(greyed, clLime).empty());
    EXPECT_FALSE(PixelsOf(greyed, ColorToRGB(clBtnShadow)).empty());
}

TEST_F(ButtonTest, TransparentButtonsLetTheParentShowThroughTheKeyColour)
{
    auto* button = MakeButton(form, "", 10, 10);
    button->SetUIStyle(MacOS);
    ASSERT_TRUE(button->Transparent());
    TBitmap strip;
    GetStyleBitmap(MacOS, STYLE_BUTTON_IMAGE, &strip, 3, 1);
    ASSERT_EQ(strip.Pixel(0, 0), clFuchsia) << "the MacOS button has no key-coloured corner";
    ShowForm();
    EXPECT_EQ(Capture(*button).Pixel(0, 0), kFormColor);
    button->SetTransparent(false);
    EXPECT_NE(Capture(*button).Pixel(0, 0), kFormColor);
}

#ifdef MERROWIN_BUILTIN_SKIN
TEST_F(ButtonTest, AReadyThemeGivesTheSkinsFaceTransparencyAndCaptionColour)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    auto* button = MakeButton(form, "OK", 10, 10);
    button->SetUIStyle(FromThemeFile);
    button->SetFileTheme(theme);
    EXPECT_EQ(button->Transparent(), theme->GetFlag(SKIN2_BUTTONTRANS));
    EXPECT_EQ(button->Font().Color(), theme->GetColor(SKIN2_BUTTONFONTCOLOR));
    button->SetUIStyle(WinXP);  // an explicit style wins over the ready theme
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(button->Font().Color(), clBlack);
}
#endif

// --- Golden pictures ------------------------------------------------------------------------------

namespace {

enum class TState { Normal, Hot, Pressed, Focused, Disabled };

} // namespace

class ButtonGolden : public ButtonTest {
protected:
    TBitmap Shot(TsuiUIStyle style, TsuiFileTheme* theme, TState state, const TBitmap* glyph = nullptr)
    {
        auto* button = MakeButton(form, "下一步(&N)", 20, 20);
        button->SetUIStyle(style);
        button->SetFileTheme(theme);
        if (glyph)
            button->SetGlyph(*glyph);
        parking->SetFocus();
        switch (state) {
        case TState::Normal:
            break;
        case TState::Hot:
            button->Perform(CM_MOUSEENTER);
            break;
        case TState::Pressed:
            button->Perform(CM_MOUSEENTER);
            button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
            break;
        case TState::Focused:
            button->SetFocus();
            break;
        case TState::Disabled:
            button->SetEnabled(false);
            break;
        }
        TBitmap picture = Capture(*button);
        delete button;
        return picture;
    }

    void SetUp() override
    {
        ButtonTest::SetUp();
        UsePinnedFonts();
        parking = new TPlainControl(form);
        parking->SetParent(form);
        parking->SetBounds(300, 220, 4, 4);
        ShowForm();
    }

    TPlainControl* parking = nullptr;
};

TEST_F(ButtonGolden, EveryStateInTheSkinAndTwoStyles)
{
    TSheet sheet;
    const TState states[] = {TState::Normal, TState::Hot, TState::Pressed, TState::Focused, TState::Disabled};
    int row = 0;
#ifdef MERROWIN_BUILTIN_SKIN
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    for (TState state : states)
        sheet.Add(row, Shot(FromThemeFile, theme, state));
    ++row;
#endif
    for (TsuiUIStyle style : {DeepBlue, MacOS}) {
        for (TState state : states)
            sheet.Add(row, Shot(style, nullptr, state));
        ++row;
    }
    TBitmap glyph(32, 16);
    TCanvas canvas(glyph);
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect(0, 0, 32, 16));
    canvas.Brush().SetColor(RGB(0, 128, 0));
    canvas.Ellipse(TRect(2, 2, 14, 14));
    canvas.Brush().SetColor(RGB(160, 160, 160));
    canvas.Ellipse(TRect(18, 2, 30, 14));
    for (TState state : states)
        sheet.Add(row, Shot(DeepBlue, nullptr, state, &glyph));
    ExpectGolden(sheet.Render(), "controls-button.png");
}
