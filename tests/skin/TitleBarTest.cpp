#include "skin/FormTestSupport.h"
#include "skin/controls/TitleBar.h"
#include "skin/themes/StylesTable.h"

#include <functional>

using namespace formtest;

namespace {

// A title bar on a plain borderless form: not hosted, and the form answers the border query
// with 0.
class TitleBarTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 50, 300, 200);
        bar = new TsuiTitleBar(form);
        bar->SetParent(form);
        bar->SetUIStyle(DeepBlue);
    }

    // Moves the cursor over the bar point (x, y) and composes the bar.
    void Hover(int x, int y)
    {
        ShowForm();
        Run("move " + std::to_string(x) + " " + std::to_string(y + bar->Top()));
        bar->PaintNow();
    }

    TsuiTitleBar* bar = nullptr;
};

TEST_F(TitleBarTest, ButtonsAreLaidOutFromTheRightAndTheControlBoxAtTheLeft)
{
    ASSERT_EQ(bar->Width(), 300);
    bar->PaintNow();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->Buttons().Items(i)->PicNormal().Width(), 19);
    EXPECT_EQ(bar->ButtonBounds(1).Left, 280);  // close
    EXPECT_EQ(bar->ButtonBounds(2).Left, 260);  // maximise
    EXPECT_EQ(bar->ButtonBounds(3).Left, 240);  // minimise
    EXPECT_EQ(bar->ButtonBounds(0).Left, 0);    // control box
    EXPECT_EQ(bar->ButtonBounds(1).Top, GetStyleInteger(DeepBlue, STYLE_TITLEBUTTON_TOP));
}

TEST_F(TitleBarTest, AButtonThatWouldPassTheRightEdgeEndsOnePixelInside)
{
    bar->SetRightBtnXOffset(-30);
    bar->PaintNow();
    EXPECT_EQ(bar->ButtonBounds(1).Right, 299);
}

TEST_F(TitleBarTest, AHiddenMaximiseButtonLeavesItsPlaceToMinimise)
{
    bar->Buttons().Items(2)->SetVisible(false);
    bar->PaintNow();
    EXPECT_TRUE(bar->ButtonBounds(2).IsEmpty());
    EXPECT_EQ(bar->ButtonBounds(3).Left, 260);

    // Double-clicking the empty title does nothing without a maximise button.
    Hover(150, 10);
    ASSERT_EQ(bar->HotButtonIndex(), -1);
    bar->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(150, 10));
    EXPECT_EQ(form->WindowState(), wsNormal);

    bar->PopupSystemMenu(0, 0);
    EXPECT_TRUE(bar->SystemMenu().Items(TsuiTitleBarPopupMenu::kMinimizeItem).Enabled);
    EXPECT_FALSE(bar->SystemMenu().Items(TsuiTitleBarPopupMenu::kMaximizeItem).Enabled);
    EXPECT_TRUE(bar->SystemMenu().Items(TsuiTitleBarPopupMenu::kCloseItem).Enabled);
    EXPECT_FALSE(bar->SystemMenu().Click(TsuiTitleBarPopupMenu::kMaximizeItem));
}

TEST_F(TitleBarTest, DoubleClickingTheEmptyTitleMaximisesAndRestores)
{
    Hover(150, 10);
    bar->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(150, 10));
    EXPECT_EQ(form->WindowState(), wsMaximized);
    // Not hosted: the bounds become the work area, 2 pixels larger left, top and right and 1
    // smaller at the bottom.
    EXPECT_EQ(form->BoundsRect(), TRect(-2, -2, 1026, 737));
    TBitmap restore;
    GetStyleBitmap(DeepBlue, STYLE_TITLEBUTTON_IMAGE, &restore, 18, 10);
    EXPECT_TRUE(*bar->Buttons().Items(2)->PicNormal().Graphic() == restore);
    bar->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(150, 10));
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(TitleBarTest, TheAppIconStandsInForTheControlBoxButStillCountsAsIt)
{
    TBitmap icon(16, 16);
    TCanvas paint(icon);
    paint.Brush().SetColor(clRed);
    paint.FillRect(TRect(0, 0, 16, 16));
    app_->Icon().Assign(icon);
    Hover(5, bar->IconRow() + 5);
    EXPECT_EQ(bar->HotButtonIndex(), 0);
    // The icon at (x0 + 3, icon row), not the control box's hot picture.
    TBitmap shown = Shot();
    EXPECT_EQ(shown.Pixel(3 + 1, bar->Top() + bar->IconRow() + 1), clRed);

    // A click opens the system menu below the bar's left end.
    Run("down 5 " + std::to_string(bar->IconRow() + 5));
    Run("up 5 " + std::to_string(bar->IconRow() + 5));
    EXPECT_EQ(bar->SystemMenu().PopupCount(), 1);
    EXPECT_EQ(bar->SystemMenu().PopupX(), form->Left());
    EXPECT_EQ(bar->SystemMenu().PopupY(), form->Top() + bar->Height());

    // A double click closes the form.
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = caNone;
    };
    bar->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(5, bar->IconRow() + 5));
    EXPECT_TRUE(closed);
}

TEST_F(TitleBarTest, HotAndPressedPicturesFollowTheCursor)
{
    Hover(285, 5);
    EXPECT_EQ(bar->HotButtonIndex(), 1);
    TBitmap hot;
    GetStyleBitmap(DeepBlue, STYLE_TITLEBUTTON_IMAGE, &hot, 18, 17);
    TBitmap shown = Shot();
    const TRect r = bar->ButtonBounds(1);
    EXPECT_EQ(shown.Pixel(r.Left + 9, bar->Top() + r.Top + 9) & 0xFFFFFF, hot.Pixel(9, 9));
    // Pressing a button does not start a window move.
    messages.clear();
    Run("down 285 5");
    EXPECT_TRUE(bar->Pressed());
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN), 0);
}

TEST_F(TitleBarTest, DraggingTheEmptyTitleMovesTheWindowUnlessMaximised)
{
    Hover(150, 10);
    messages.clear();
    Run("down 150 10");
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN), 1);
    EXPECT_FALSE(bar->Pressed());
    Run("up 150 10");

    form->SetWindowState(wsMaximized);
    app_->Sleep(1000);  // a second press at once would be a double click
    Hover(150, 10);
    messages.clear();
    Run("down 150 10");
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN), 0);
    EXPECT_TRUE(bar->Pressed());
}

TEST_F(TitleBarTest, ReleasingOverAButtonRunsItsAction)
{
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = caNone;
    };
    Hover(285, 5);
    Run("down 285 5");
    Run("up 285 5");
    EXPECT_TRUE(closed);
    EXPECT_FALSE(bar->Pressed());

    int clicked = -1;
    bar->Buttons().Items(3)->SetButtonType(suiCustom);
    bar->OnCustomBtnsClick = [&](TObject*, int index) { clicked = index; };
    const TRect r = bar->ButtonBounds(3);
    Hover(r.Left + 5, r.Top + 5);
    Run("down " + std::to_string(r.Left + 5) + " " + std::to_string(r.Top + 5));
    Run("up " + std::to_string(r.Left + 5) + " " + std::to_string(r.Top + 5));
    EXPECT_EQ(clicked, 3);
}

TEST_F(TitleBarTest, ASecondControlBoxOrClientSectionIsRefused)
{
    bar->Buttons().Items(3)->SetButtonType(suiControlBox);
    EXPECT_EQ(bar->Buttons().Items(3)->ButtonType(), suiMin);
    ASSERT_EQ(host_->boxes.size(), 1u);
    EXPECT_EQ(host_->boxes[0], "Sorry, only one button's ButtonType property can be \"suiControlBox\"");

    ASSERT_EQ(bar->Sections().Count(), 3);
    bar->Sections().Items(0)->SetAlign(suiClient);
    EXPECT_EQ(bar->Sections().Items(0)->Align(), suiLeft);
    ASSERT_EQ(host_->boxes.size(), 2u);
    EXPECT_EQ(host_->boxes[1], "Sorry, only one section's Align property can be \"suiClient\"");
}

TEST_F(TitleBarTest, BuiltInStylesBuildLeftRightClientSections)
{
    bar->SetUIStyle(WinXP);
    ASSERT_EQ(bar->Sections().Count(), 3);
    EXPECT_EQ(bar->Sections().Items(1)->Align(), suiRight);
    EXPECT_EQ(bar->Sections().Items(2)->Align(), suiClient);
    EXPECT_TRUE(bar->Sections().Items(2)->Stretch());
    EXPECT_EQ(bar->Height(), 29);
    EXPECT_EQ(bar->RoundCorner(), 13);
    EXPECT_EQ(form->MinWidth, 150);
    EXPECT_EQ(bar->Buttons().Items(1)->PicNormal().Width(), 21);
    bar->SetUIStyle(MacOS);
    EXPECT_EQ(bar->Font().Color(), clBlack);
    EXPECT_TRUE(bar->Buttons().Items(1)->Transparent() == false);
    bar->SetUIStyle(Protein);
    EXPECT_TRUE(bar->Buttons().Items(1)->Transparent());
    EXPECT_EQ(bar->Font().Color(), clWhite);
}

TEST_F(TitleBarTest, AutoSizeFollowsTheFirstSectionWhateverIsWritten)
{
    bar->SetHeight(5);
    bar->SetAutoSize(false);
    EXPECT_EQ(bar->Height(), 32);
    bar->SetCustom(true);
    bar->Sections().Clear();
    bar->SetAutoSize(true);
    EXPECT_FALSE(bar->AutoSize());
}

TEST_F(TitleBarTest, ACustomBarKeepsItsLooksThroughStyleChanges)
{
    bar->SetCustom(true);
    bar->Sections().Clear();
    bar->Sections().Add()->SetWidth(40);
    bar->SetLeftBtnXOffset(7);
    bar->SetUIStyle(WinXP);
    EXPECT_EQ(bar->UIStyle(), WinXP);
    ASSERT_EQ(bar->Sections().Count(), 1);
    EXPECT_EQ(bar->Sections().Items(0)->Width(), 40);
    EXPECT_EQ(bar->LeftBtnXOffset(), 7);
    EXPECT_EQ(bar->Buttons().Items(1)->PicNormal().Width(), 19);
}

TEST_F(TitleBarTest, WithoutASkinnedFormTheCaptionSectionKeepsNoFittedText)
{
    bar->SetFileTheme(BuiltInSkin());
    bar->SetUIStyle(FromThemeFile);
    ASSERT_EQ(bar->Sections().Count(), 5);
    ASSERT_TRUE(bar->Sections().Items(1)->CapSec());
    bar->SetCaption("Short");
    bar->PaintNow();
    EXPECT_EQ(bar->SectionCaption(), "");
    EXPECT_EQ(bar->TitleImage().Width(), 300);
}

TEST_F(TitleBarTest, WritersOfTheBarItsButtonsAndItsSectionsRepaintAtOnce)
{
    bar->SetCaption("Title");
    ShowForm();
    auto expectShownAtOnce = [&](const char* what, const std::function<void()>& write) {
        SCOPED_TRACE(what);
        const TBitmap before = form->BackBuffer();
        write();
        const TBitmap now = form->BackBuffer();
        EXPECT_FALSE(now == before) << "the window shows the change before any message is handled";
        form->Repaint();
        EXPECT_TRUE(form->BackBuffer() == now) << "and nothing was left for a later paint";
    };
    expectShownAtOnce("caption", [&] { bar->SetCaption("Another title"); });
    expectShownAtOnce("left offset", [&] { bar->SetLeftBtnXOffset(30); });
    expectShownAtOnce("right offset", [&] { bar->SetRightBtnXOffset(12); });
    expectShownAtOnce("interval", [&] { bar->SetButtonInterval(6); });
    expectShownAtOnce("app icon", [&] { bar->SetDrawAppIcon(false); });
    expectShownAtOnce("font", [&] { bar->Font().SetColor(clLime); });
    expectShownAtOnce("active", [&] { bar->SetFormActive(false); });
    expectShownAtOnce("inactive colour", [&] { bar->SetInactiveCaptionColor(clRed); });
    expectShownAtOnce("button", [&] { bar->Buttons().Items(3)->SetVisible(false); });
    expectShownAtOnce("button picture", [&] {
        TPicture picture;
        picture.Assign(TBitmap(19, 19));
        bar->Buttons().Items(1)->SetPicNormal(picture);
    });
    expectShownAtOnce("section", [&] {
        TBitmap red(40, 32);
        TCanvas(red).FillRect(TRect(0, 0, 40, 32));
        bar->Sections().Items(0)->SetPicture(red);
    });
}

TEST_F(TitleBarTest, RemovingTheFileThemeFallsBackToDeepBlue)
{
    bar->SetFileTheme(BuiltInSkin());
    bar->SetUIStyle(FromThemeFile);
    ASSERT_EQ(bar->Sections().Count(), 5);
    delete BuiltInSkin();
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), DeepBlue);
    EXPECT_EQ(bar->Sections().Count(), 3);
}

}  // namespace
