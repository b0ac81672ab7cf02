#include "skin/FormTestSupport.h"
#include "skin/controls/PopupMenuWindow.h"
#include "skin/themes/StylesTable.h"

using namespace formtest;

namespace {

class SystemMenuTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        skinned = new TsuiForm(form);
        bar = skinned->TitleBar();
        // As in the wizard: no maximise button, so its menu item is disabled.
        for (int i = 0; i < bar->Buttons().Count(); ++i)
            if (bar->Buttons().Items(i)->ButtonType() == suiMax)
                bar->Buttons().Items(i)->SetVisible(false);
    }

    TsuiPopupMenuWindow* OpenMenu()
    {
        ShowForm();
        Run("key alt+Space");
        TsuiPopupMenuWindow* window = bar->SystemMenu().Window();
        if (window)
            window->PaintInvalid();
        return window;
    }

    bool MenuShown() const
    {
        TsuiPopupMenuWindow* window = bar->SystemMenu().Window();
        return window && window->Visible();
    }

    // A point in the middle of item `index`, in the menu window's pixels.
    std::string At(int index) const
    {
        TRect r = bar->SystemMenu().Window()->ItemRect(index);
        return std::to_string((r.Left + r.Right) / 2) + " " + std::to_string((r.Top + r.Bottom) / 2);
    }

    TBitmap MenuShot()
    {
        TsuiPopupMenuWindow* window = bar->SystemMenu().Window();
        window->PaintInvalid();
        std::vector<uint32_t> pixels = host_->Snapshot(*host_->WindowById(window->Host()->Id()));
        TBitmap picture(window->Width(), window->Height());
        std::copy(pixels.begin(), pixels.begin() + std::ptrdiff_t(picture.Width()) * picture.Height(), picture.Bits());
        return picture;
    }

    TsuiForm* skinned = nullptr;
    TsuiTitleBar* bar = nullptr;
};

TEST_F(SystemMenuTest, OpensBelowTheTitleAsTheActiveWindowHoldingTheMouse)
{
    TsuiPopupMenuWindow* window = OpenMenu();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->Left(), form->Left());
    EXPECT_EQ(window->Top(), form->Top() + bar->Height());
    EXPECT_EQ(host_->ActiveWindow()->Id(), window->Host()->Id());
    EXPECT_EQ(window->CaptureControl(), window);
    // Two items, a separator and one more item, inside a 2-pixel margin.
    EXPECT_EQ(window->Height(), 4 + 3 * TsuiPopupMenuWindow::kItemHeight + TsuiPopupMenuWindow::kSeparatorHeight);
    EXPECT_EQ(window->ItemRect(3).Top, 2 + 2 * TsuiPopupMenuWindow::kItemHeight + TsuiPopupMenuWindow::kSeparatorHeight);
}

TEST_F(SystemMenuTest, StaysWholeOnTheScreen)
{
    ShowForm();
    TsuiPopupMenu& menu = bar->SystemMenu();
    menu.Popup(1020, 730);  // the headless work area is 1024 x 738
    TsuiPopupMenuWindow* window = menu.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Left() + window->Width(), 1024);
    EXPECT_EQ(window->Top(), 730 - window->Height());
    window->Dismiss();
    menu.Popup(-50, -7);
    EXPECT_EQ(window->Left(), 0);
    EXPECT_EQ(window->Top(), 0);
    // Where it was asked to appear is still what the menu reports.
    EXPECT_EQ(menu.PopupX(), -50);
}

TEST_F(SystemMenuTest, OnlyEnabledItemsBecomeHot)
{
    OpenMenu();
    TsuiPopupMenuWindow* window = bar->SystemMenu().Window();
    Run("move " + At(TsuiTitleBarPopupMenu::kMinimizeItem));
    EXPECT_EQ(window->HotItem(), TsuiTitleBarPopupMenu::kMinimizeItem);
    Run("move " + At(TsuiTitleBarPopupMenu::kMaximizeItem));
    EXPECT_EQ(window->HotItem(), -1);
    Run("move " + At(2));  // the separator
    EXPECT_EQ(window->HotItem(), -1);
    Run("move " + At(TsuiTitleBarPopupMenu::kCloseItem));
    EXPECT_EQ(window->HotItem(), TsuiTitleBarPopupMenu::kCloseItem);
    Run("move -3 5");
    EXPECT_EQ(window->HotItem(), -1);
}

TEST_F(SystemMenuTest, ClickingAnItemClosesTheMenuAndRunsIt)
{
    OpenMenu();
    Run("click " + At(TsuiTitleBarPopupMenu::kMinimizeItem));
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Count(WM_SYSCOMMAND), 1);
}

TEST_F(SystemMenuTest, ClickingADisabledItemOrTheSeparatorKeepsTheMenu)
{
    OpenMenu();
    Run("click " + At(TsuiTitleBarPopupMenu::kMaximizeItem));
    Run("click " + At(2));
    EXPECT_TRUE(MenuShown());
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(SystemMenuTest, EscapeAClickOutsideOrLosingActivationCloseWithoutRunning)
{
    OpenMenu();
    Run("key Escape");
    EXPECT_FALSE(MenuShown());

    Run("key alt+Space");
    ASSERT_TRUE(MenuShown());
    Run("click -20 -10");
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(bar->SystemMenu().Window()->CaptureControl(), nullptr);

    Run("key alt+Space");
    ASSERT_TRUE(MenuShown());
    bar->SystemMenu().Window()->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Count(WM_SYSCOMMAND), 0);
    EXPECT_TRUE(form->Visible());
}

TEST_F(SystemMenuTest, ArrowsSkipWhatCannotBeChosenAndEnterOrAHotKeyRuns)
{
    TsuiPopupMenuWindow* window = OpenMenu();
    Run("key Down");
    EXPECT_EQ(window->HotItem(), TsuiTitleBarPopupMenu::kMinimizeItem);
    Run("key Down");
    EXPECT_EQ(window->HotItem(), TsuiTitleBarPopupMenu::kCloseItem);
    Run("key Down");
    EXPECT_EQ(window->HotItem(), TsuiTitleBarPopupMenu::kMinimizeItem);
    Run("key Up");
    EXPECT_EQ(window->HotItem(), TsuiTitleBarPopupMenu::kCloseItem);
    Run("key Escape");

    Run("key alt+Space");
    Run("key x");  // the maximise item's hot key, but the item is disabled
    EXPECT_TRUE(MenuShown());
    Run("key n");
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Count(WM_SYSCOMMAND), 1);

    // Minimising left no active window for keys to reach; bring the form back first.
    form->SetWindowState(wsNormal);
    Run("key alt+Space");
    Run("key Down");
    Run("key Return");
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Count(WM_SYSCOMMAND), 2);
}

TEST_F(SystemMenuTest, ColoursComeFromTheThemeOrTheStyle)
{
    TsuiMenuColors skin = MenuColors(BuiltInSkin(), FromThemeFile);
    EXPECT_EQ(skin.Back, BuiltInSkin()->GetColor(SKIN2_MENUITEMCOLOR));
    EXPECT_EQ(skin.HotText, BuiltInSkin()->GetColor(SKIN2_SELECTEDMENUFONTCOLOR));
    TsuiMenuColors blue = MenuColors(nullptr, DeepBlue);
    EXPECT_EQ(blue.Hot, GetStyleColor(DeepBlue, STYLE_MENU_SELECTED_COLOR));
    EXPECT_EQ(blue.Text, GetStyleColor(DeepBlue, STYLE_MENU_FONT_COLOR));
    // Without a ready theme a file-theme menu falls back to DeepBlue.
    TsuiMenuColors none = MenuColors(nullptr, FromThemeFile);
    EXPECT_EQ(none.Hot, blue.Hot);
    // The style whose table gives black on black gets a white menu instead.
    ASSERT_EQ(GetStyleColor(MacOS, STYLE_MENU_COLOR), GetStyleColor(MacOS, STYLE_MENU_FONT_COLOR));
    EXPECT_EQ(MenuColors(nullptr, MacOS).Back, clWhite);
}

TEST_F(SystemMenuTest, DrawnInTheSkinsMenuColours)
{
    UsePinnedFonts();
    skinned->SetFileTheme(BuiltInSkin());
    skinned->SetUIStyle(FromThemeFile);
    OpenMenu();
    std::vector<TBitmap> shots;
    shots.push_back(MenuShot());
    Run("move " + At(TsuiTitleBarPopupMenu::kCloseItem));
    shots.push_back(MenuShot());
    Run("key Escape");
    skinned->SetUIStyle(DeepBlue);
    Run("key alt+Space");
    Run("move " + At(TsuiTitleBarPopupMenu::kMinimizeItem));
    shots.push_back(MenuShot());
    ExpectGolden(Sheet(shots), "form-system-menu.png");
}

}  // namespace
