// The skinned memo: its flat two-colour border, attaching and detaching skinned scroll bars,
// placing them over the memo's own bars and keeping both in step in either direction.
#include "skin/ControlTestSupport.h"
#include "skin/controls/Memo.h"
#include "skin/controls/ScrollBar.h"
#include "skin/controls/ScrollTrackBar.h"
#include "skin/controls/ImagePanel.h"
#include "toolkit/messages/Messages.h"

using namespace controltest;

namespace {

const char* const kLicence[] = {
    "最终用户许可协议",
    "",
    "请仔细阅读以下条款。安装、复制或以其他方式使用本墙纸，即表示您同意受本协议条款的约束。",
    "1. This animated wallpaper is licensed, not sold, for personal use on your own computers.",
    "2. You may not sell, rent or lend the wallpaper, nor pass it off as your own work.",
    "3. 本墙纸按“现状”提供，不附带任何明示或暗示的担保。",
    "4. The author is not liable for any damage arising from the use of this wallpaper.",
    "5. 如果您不同意本协议的条款，请不要安装本墙纸。",
    "6. Every copy must keep this licence text unchanged and complete, word for word.",
    "7. 作者保留本协议未明确授予的一切权利。",
    "8. This agreement is governed by the laws of the place where the author lives.",
    "9. 若本协议的任何条款无效，其余条款仍然有效。",
    "10. Thank you for choosing this wallpaper; enjoy your desktop.",
};

std::vector<std::string> Licence()
{
    return std::vector<std::string>(std::begin(kLicence), std::end(kLicence));
}

std::vector<std::string> ManyLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

class SkinnedMemoTest : public ControlTest {
protected:
    TsuiMemo* MakeMemo()
    {
        memo = new TsuiMemo(form);
        memo->SetParent(form);
        memo->SetBounds(10, 10, 200, 120);
        return memo;
    }
    TsuiScrollBar* MakeBar()
    {
        auto* bar = new TsuiScrollBar(form);
        bar->SetParent(form);
        return bar;
    }
    TScrollInfo SystemInfo(int bar)
    {
        TScrollInfo info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(memo->GetScrollInfo(bar, info));
        return info;
    }

    TsuiMemo* memo = nullptr;
};

} // namespace

TEST_F(SkinnedMemoTest, FlatTwoColourBorderFromTheStyle)
{
    MakeMemo();
    EXPECT_EQ(memo->BorderStyle(), bsNone);
    EXPECT_EQ(memo->BorderWidth(), 2);
    memo->SetScrollBars(ssVertical);
    memo->SetColor(clWhite);
    memo->SetUIStyle(WinXP);
    EXPECT_EQ(memo->BorderColor(), TColor(0x686868));
    memo->SetUIStyle(MacOS);
    EXPECT_EQ(memo->BorderColor(), TColor(0x7F7F7F));
    memo->SetBorderColor(clRed);
    ShowForm();
    const TBitmap shot = Capture(*memo);
    EXPECT_EQ(shot.Pixel(0, 60), clRed);
    EXPECT_EQ(shot.Pixel(100, 0), clRed);
    EXPECT_EQ(shot.Pixel(1, 60), clWhite);
    EXPECT_EQ(shot.Pixel(100, 118), clWhite);
    // Without skinned bars the memo keeps its own ScrollBars setting.
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    memo->SetUIStyle(DeepBlue);  // applying a style again overwrites the stored colour
    EXPECT_EQ(memo->BorderColor(), clBlack);
}

TEST_F(SkinnedMemoTest, AttachingAndDetachingSetsScrollBars)
{
    MakeMemo();
    ASSERT_EQ(memo->ScrollBars(), ssNone);
    auto* v = MakeBar();
    auto* h = MakeBar();
    memo->SetVScrollBar(v);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(v->Orientation(), suiVertical);
    EXPECT_TRUE(v->OnChange() != nullptr);
    EXPECT_EQ(form->Controls(form->ControlCount() - 1), v);  // in front of its siblings
    memo->SetHScrollBar(h);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal);
    EXPECT_FALSE(v->OnChange() != nullptr);
    EXPECT_EQ(v->LineButton(), 0);
    EXPECT_EQ(v->Max(), 100);
    EXPECT_TRUE(v->Enabled());

    // A removed bar is detached.
    delete h;
    EXPECT_EQ(memo->HScrollBar(), nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssNone);
}

TEST_F(SkinnedMemoTest, BarsLieOverTheSystemBars)
{
    MakeMemo();
    auto* v = MakeBar();
    auto* h = MakeBar();
    memo->SetVScrollBar(v);
    memo->SetHScrollBar(h);
    EXPECT_EQ(v->BoundsRect(), TRect(10 + 200 - 16 - 2, 11, 10 + 200 - 2, 11 + 120 - 16 - 2));
    EXPECT_EQ(h->BoundsRect(), TRect(11, 10 + 120 - 16 - 2, 11 + 200 - 16 - 1, 10 + 120 - 2));
    memo->SetBounds(20, 30, 150, 90);  // they follow the memo
    EXPECT_EQ(v->Left(), 20 + 150 - 18);
    EXPECT_EQ(h->Top(), 30 + 90 - 18);
    EXPECT_EQ(h->Width(), 150 - 17);

    memo->SetHeight(10);  // shorter than the horizontal bar
    EXPECT_FALSE(h->Visible());
    memo->SetHeight(90);
    EXPECT_TRUE(h->Visible());
    memo->SetVisible(false);
    EXPECT_FALSE(h->Visible());
    EXPECT_FALSE(v->Visible());
    memo->SetVisible(true);
    EXPECT_TRUE(v->Visible());
}

TEST_F(SkinnedMemoTest, FittingTextGivesADisabledBarWithoutThumb)
{
    MakeMemo();
    auto* v = MakeBar();
    memo->SetVScrollBar(v);
    memo->SetLines({"one", "two"});
    EXPECT_FALSE(v->Enabled());
    EXPECT_FALSE(v->Track()->Thumb()->Visible());
    EXPECT_EQ(v->LineButton(), 0);
    EXPECT_EQ(v->Position(), 0);

    memo->SetLines(ManyLines(60));
    EXPECT_TRUE(v->Enabled());
    EXPECT_TRUE(v->Track()->Thumb()->Visible());
    TScrollBarInfo info;
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_VSCROLL, info));
    EXPECT_EQ(v->LineButton(), std::max(16, info.xyThumbBottom - info.xyThumbTop));
    const TScrollInfo scroll = SystemInfo(SB_VERT);
    EXPECT_EQ(v->Max(), scroll.nMax - int(scroll.nPage) + 1);

    memo->SetEnabled(false);  // a disabled memo disables its bars too
    EXPECT_FALSE(v->Enabled());
    EXPECT_FALSE(v->Track()->Thumb()->Visible());
}

TEST_F(SkinnedMemoTest, DraggingTheSkinnedThumbScrollsWithoutBouncing)
{
    MakeMemo();
    auto* v = MakeBar();
    memo->SetVScrollBar(v);
    memo->SetLines(ManyLines(80));
    ShowForm();
    std::vector<int> commands;
    TWndMethod previous = memo->WindowProc;
    memo->WindowProc = [&](TMessage& message) {
        if (message.Msg == WM_VSCROLL)
            commands.push_back(int(message.WParam));
        previous(message);
    };
    int changes = 0;
    const TNotifyEvent scroll = v->OnChange();
    v->SetOnChange([&](TObject* sender) {
        ++changes;
        scroll(sender);
    });
    TsuiImagePanel* thumb = v->Track()->Thumb();
    const int x = v->Left() + 8;
    const int y = v->Top() + v->Track()->Top() + thumb->Top() + 4;
    Run("move " + std::to_string(x) + " " + std::to_string(y) + "; down " + std::to_string(x) + " " + std::to_string(y));
    for (int step = 1; step <= 3; ++step) {
        Run("move " + std::to_string(x) + " " + std::to_string(y + 9 * step));
        EXPECT_EQ(int(commands.size()), changes);
        EXPECT_EQ(memo->TopLine(), v->Position());
    }
    Run("up " + std::to_string(x) + " " + std::to_string(y + 27));
    ASSERT_GE(changes, 2);
    for (size_t i = 0; i < commands.size(); ++i)
        EXPECT_EQ(LoWord(commands[i]), SB_THUMBPOSITION);
    EXPECT_EQ(int(HiWord(commands.back())), v->Position());
    EXPECT_EQ(SystemInfo(SB_VERT).nPos, v->Position());
    memo->WindowProc = previous;
}

TEST_F(SkinnedMemoTest, TypingWheelAndDragSelectKeepTheThumbInStep)
{
    MakeMemo();
    auto* v = MakeBar();
    memo->SetVScrollBar(v);
    memo->SetLines(ManyLines(30));
    ShowForm();
    memo->SetFocus();
    auto inStep = [&] {
        const TScrollInfo info = SystemInfo(SB_VERT);
        EXPECT_EQ(v->Position(), info.nPos);
        EXPECT_EQ(v->Max(), info.nMax - int(info.nPage) + 1);
    };
    Run("wheel -2");
    ASSERT_GT(memo->TopLine(), 0);
    inStep();
    Run("wheel 1");
    inStep();

    memo->SetSelStart(int(memo->Text().size()));
    Run("key Return; key Return; key Return; key Return");
    inStep();
    ASSERT_EQ(v->Position(), memo->TopLine());

    Run("wheel 20");
    ASSERT_EQ(memo->TopLine(), 0);
    Run("move 60 40; down 60 40");
    for (int y = 140; y < 150; ++y)
        Run("move 60 " + std::to_string(y));
    ASSERT_GT(memo->TopLine(), 0);
    inStep();
    Run("up 60 149");
}

TEST_F(SkinnedMemoTest, StyleAndThemeReachTheBars)
{
    MakeMemo();
    auto* v = MakeBar();
    memo->SetVScrollBar(v);
    memo->SetUIStyle(Protein);
    EXPECT_EQ(v->UIStyle(), Protein);
#ifdef MERROWIN_BUILTIN_SKIN
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    memo->SetFileTheme(theme);
    memo->SetUIStyle(FromThemeFile);
    EXPECT_EQ(v->FileTheme(), theme);
    EXPECT_EQ(v->UIStyle(), FromThemeFile);
    EXPECT_EQ(memo->BorderColor(), theme->GetColor(SKIN2_CONTROLBORDERCOLOR));
    delete theme;
    EXPECT_EQ(memo->FileTheme(), nullptr);
    EXPECT_EQ(memo->UIStyle(), DeepBlue);
#endif
}

TEST_F(SkinnedMemoTest, ABarOutlivingItsMemoStaysUsable)
{
    MakeMemo();
    auto* v = MakeBar();
    memo->SetVScrollBar(v);
    memo->SetLines(ManyLines(60));
    delete memo;
    memo = nullptr;
    EXPECT_FALSE(v->OnChange() != nullptr);
    v->SetPosition(3);
    EXPECT_EQ(v->Position(), 3);
}

// --- Golden pictures ------------------------------------------------------------------------

class SkinnedMemoGolden : public SkinnedMemoTest {
protected:
    void SetUp() override
    {
        SkinnedMemoTest::SetUp();
        UsePinnedFonts();
        MakeMemo();
        memo->SetBounds(10, 10, 300, 160);
        memo->SetColor(clWhite);
        memo->SetReadOnly(true);
    }
    void AttachBars()
    {
        memo->SetWordWrap(false);
        memo->SetVScrollBar(MakeBar());
        memo->SetHScrollBar(MakeBar());
    }
};

TEST_F(SkinnedMemoGolden, LicenceWithDeepBlueBars)
{
    memo->SetUIStyle(DeepBlue);
    AttachBars();
    memo->SetLines(Licence());
    ShowForm();
    memo->Perform(WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, 2));
    ExpectGolden(Capture(*memo), "memo-licence-deepblue.png");
}

#ifdef MERROWIN_BUILTIN_SKIN
TEST_F(SkinnedMemoGolden, LicenceWithBuiltinSkinBars)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    AttachBars();
    memo->SetFileTheme(theme);
    memo->SetUIStyle(FromThemeFile);
    memo->SetLines(Licence());
    ShowForm();
    memo->Perform(WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, 2));
    ExpectGolden(Capture(*memo), "memo-licence-builtin.png");
}

TEST_F(SkinnedMemoGolden, WizardLicenceMemo)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    memo->SetScrollBars(ssBoth);
    memo->SetUIStyle(FromThemeFile);
    memo->SetFileTheme(theme);
    memo->SetBorderColor(clBlack);
    memo->SetLines(Licence());
    ShowForm();
    ExpectGolden(Capture(*memo), "memo-wizard.png");
}
#endif
