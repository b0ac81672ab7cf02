#include "skin/FormTestSupport.h"
#include "skin/controls/MainMenu.h"
#include "skin/controls/MenuBar.h"
#include "skin/controls/MenuBarButton.h"
#include "skin/controls/PopupMenu.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/menus/MainMenu.h"

using namespace formtest;

namespace {

class MenuBarTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        skinned = new TsuiForm(form);
    }

    // A menu of three top-level items, owned by the host form; each click is counted.
    template <class Menu = TMainMenu> Menu* ThreeItemMenu()
    {
        auto* menu = new Menu(form);
        for (const char* caption : {"File", "Edit", "Help"}) {
            auto* item = new TMenuItem(form);
            item->SetCaption(caption);
            item->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
            menu->Items().Add(item);
        }
        return menu;
    }

    TsuiMenuBar* Bar() const { return skinned->MenuBar(); }
    int TitleHeight() const { return skinned->TitleBar()->Height(); }

    // "x y" of the middle of a bar button, in window pixels.
    std::string Middle(int index) const
    {
        TsuiMenuBarButton* button = Bar()->Buttons(index);
        TPoint p = button->ClientToWindow(TPoint(button->Width() / 2, button->Height() / 2));
        return std::to_string(p.X) + " " + std::to_string(p.Y);
    }

    TsuiForm* skinned = nullptr;
    std::vector<std::string> clicks;
};

int CaptionWidth(const std::string& caption)
{
    TBitmap scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.SetFont(SystemMenuFont());
    TRect r;
    canvas.DrawText(caption, r, DT_SINGLELINE | DT_CALCRECT);
    return r.Width();
}

// --- Assigning and clearing ---------------------------------------------------------------------

TEST_F(MenuBarTest, AssigningAMenuPutsTheBarRightBelowTheTitleBar)
{
    // A panel aligned to the top before the menu comes must still end up below the bar.
    auto* strip = new TPanel(form);
    strip->SetParent(skinned);
    strip->SetAlign(alTop);
    strip->SetHeight(10);
    auto* client = new TPanel(form);
    client->SetParent(skinned);
    client->SetAlign(alClient);
    EXPECT_EQ(skinned->MenuBarHeight(), 0);
    EXPECT_EQ(client->Top(), TitleHeight() + 10);

    skinned->SetMenu(ThreeItemMenu());
    ASSERT_NE(Bar(), nullptr);
    EXPECT_EQ(Bar()->Parent(), skinned);
    EXPECT_EQ(skinned->TitleBar()->Top(), 0);
    EXPECT_EQ(Bar()->Top(), TitleHeight());
    EXPECT_EQ(Bar()->Width(), skinned->ClientWidth());
    EXPECT_EQ(skinned->MenuBarHeight(), 22);
    EXPECT_EQ(strip->Top(), TitleHeight() + 22);
    EXPECT_EQ(client->Top(), TitleHeight() + 22 + 10);

    skinned->SetMenu(nullptr);
    EXPECT_EQ(Bar(), nullptr);
    EXPECT_EQ(skinned->MenuBarHeight(), 0);
    EXPECT_EQ(strip->Top(), TitleHeight());
    EXPECT_EQ(client->Top(), TitleHeight() + 10);
}

TEST_F(MenuBarTest, ButtonsFollowTheTopLevelItemsInOrder)
{
    TMainMenu* menu = ThreeItemMenu();
    menu->Items().Items(1)->SetEnabled(false);
    skinned->SetMenu(menu);
    ASSERT_EQ(Bar()->ButtonCount(), 3);
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        TsuiMenuBarButton* button = Bar()->Buttons(i);
        EXPECT_EQ(button->Item(), menu->Items().Items(i));
        EXPECT_EQ(button->Caption(), menu->Items().Items(i)->Caption());
        EXPECT_EQ(button->Left(), x) << i;
        EXPECT_EQ(button->Top(), 0);
        EXPECT_EQ(button->Width(), CaptionWidth(button->Caption()) + 2 * TsuiMenuBar::kCaptionPadding);
        EXPECT_EQ(button->Height(), 22);
        x += button->Width();
    }
    EXPECT_TRUE(Bar()->Buttons(0)->Enabled());
    EXPECT_FALSE(Bar()->Buttons(1)->Enabled());

    // A changed caption or state is copied over; the places move with the widths.
    menu->Items().Items(0)->SetCaption("Document");
    menu->Items().Items(1)->SetEnabled(true);
    EXPECT_EQ(Bar()->Buttons(0)->Caption(), "Document");
    EXPECT_TRUE(Bar()->Buttons(1)->Enabled());
    EXPECT_EQ(Bar()->Buttons(1)->Left(), Bar()->Buttons(0)->Width());

    // Items that come or go make the buttons anew.
    auto* view = new TMenuItem(form);
    view->SetCaption("View");
    menu->Items().Insert(2, view);
    ASSERT_EQ(Bar()->ButtonCount(), 4);
    EXPECT_EQ(Bar()->Buttons(2)->Caption(), "View");
    delete menu->Items().Items(0);
    ASSERT_EQ(Bar()->ButtonCount(), 3);
    EXPECT_EQ(Bar()->Buttons(0)->Caption(), "Edit");
    EXPECT_EQ(Bar()->Buttons(0)->Left(), 0);
}

TEST_F(MenuBarTest, ATooNarrowBarWrapsOntoMoreRows)
{
    auto* menu = new TMainMenu(form);
    for (int i = 0; i < 6; ++i) {
        auto* item = new TMenuItem(form);
        item->SetCaption("A rather long caption " + std::to_string(i));
        menu->Items().Add(item);
    }
    skinned->SetMenu(menu);
    const int each = Bar()->Buttons(0)->Width();
    const int perRow = std::max(1, Bar()->Width() / each);
    const int rows = (6 + perRow - 1) / perRow;
    ASSERT_GT(rows, 1) << "the captions should not fit on one row";
    EXPECT_EQ(Bar()->RowCount(), rows);
    EXPECT_EQ(skinned->MenuBarHeight(), rows * 22);
    EXPECT_EQ(Bar()->Buttons(perRow)->Left(), 0);
    EXPECT_EQ(Bar()->Buttons(perRow)->Top(), 22);

    // Wider, everything fits on one row again.
    form->SetWidth(2000);
    EXPECT_EQ(Bar()->RowCount(), 1);
    EXPECT_EQ(skinned->MenuBarHeight(), 22);
}

TEST_F(MenuBarTest, MenuBarHeightReadsTheShownBarAndKeepsTheValueWritten)
{
    skinned->SetMenuBarHeight(30);
    EXPECT_EQ(skinned->MenuBarHeight(), 0) << "no bar yet";
    skinned->SetMenu(ThreeItemMenu());
    EXPECT_EQ(skinned->MenuBarHeight(), 30);
    EXPECT_EQ(Bar()->Buttons(2)->Height(), 30);

    skinned->SetMenuBarHeight(26);
    EXPECT_EQ(skinned->MenuBarHeight(), 26);
    EXPECT_EQ(Bar()->Height(), 26);
    EXPECT_EQ(Bar()->Buttons(0)->Height(), 26);

    Bar()->SetVisible(false);
    EXPECT_EQ(skinned->MenuBarHeight(), 0);
}

TEST_F(MenuBarTest, TheMinimumHeightCountsTheBarWhenTheStyleIsApplied)
{
    EXPECT_EQ(form->MinHeight, TitleHeight() + 3);
    skinned->SetMenu(ThreeItemMenu());
    skinned->SetUIStyle(DeepBlue);
    EXPECT_EQ(form->MinHeight, 22 + TitleHeight() + 3);

    skinned->SetFileTheme(BuiltInSkin());
    skinned->SetUIStyle(FromThemeFile);
    const int bottom = BuiltInSkin()->GetBitmap(SKIN2_FORMBOTTOMBORDER1)->Height();
    EXPECT_EQ(form->MinHeight, 22 + TitleHeight() + bottom + 3);
}

// --- The menu going away -----------------------------------------------------------------------

TEST_F(MenuBarTest, FreeingTheMenuFreesTheBar)
{
    TMainMenu* menu = ThreeItemMenu();
    skinned->SetMenu(menu);
    ShowForm();
    delete menu;
    EXPECT_EQ(skinned->Menu(), nullptr);
    EXPECT_EQ(Bar(), nullptr);
    EXPECT_EQ(skinned->MenuBarHeight(), 0);
    form->Repaint();

    // A menu that belongs to nobody is watched through its free notification.
    auto* loose = new TsuiMainMenu(nullptr);
    auto* item = new TMenuItem(loose);
    item->SetCaption("Loose");
    loose->Items().Add(item);
    skinned->SetMenu(loose);
    EXPECT_EQ(loose->Form(), skinned);
    ASSERT_EQ(Bar()->ButtonCount(), 1);
    delete loose;
    EXPECT_EQ(skinned->Menu(), nullptr);
    EXPECT_EQ(Bar(), nullptr);
}

TEST_F(MenuBarTest, AHostGoesCleanlyWhicheverOfMenuAndFormCameFirst)
{
    for (bool menuFirst : {true, false}) {
        auto* host = new TForm(app_.get());
        TsuiMainMenu* menu = menuFirst ? new TsuiMainMenu(host) : nullptr;
        auto* second = new TsuiForm(host);
        if (!menu)
            menu = new TsuiMainMenu(host);
        auto* item = new TMenuItem(host);
        item->SetCaption("File");
        menu->Items().Add(item);
        second->SetMenu(menu);
        ASSERT_EQ(second->MenuBar()->ButtonCount(), 1);
        host->Show();
        host->PaintInvalid();
        delete host;
    }
}

TEST_F(MenuBarTest, ASkinnedMenuIsLinkedWhileShownAndTakesTheFormsStyle)
{
    auto* first = ThreeItemMenu<TsuiMainMenu>();
    auto* second = ThreeItemMenu<TsuiMainMenu>();
    skinned->SetMenu(first);
    EXPECT_EQ(first->Form(), skinned);
    skinned->SetMenu(second);
    EXPECT_EQ(first->Form(), nullptr);
    EXPECT_EQ(second->Form(), skinned);

    skinned->SetFileTheme(BuiltInSkin());
    skinned->SetUIStyle(FromThemeFile);
    EXPECT_EQ(second->UIStyle(), FromThemeFile);
    EXPECT_EQ(second->FileTheme(), BuiltInSkin());
    EXPECT_EQ(Bar()->ButtonFileTheme(), BuiltInSkin());
    EXPECT_EQ(first->FileTheme(), nullptr) << "a menu no longer shown keeps its own";

    delete skinned;
    EXPECT_EQ(second->Form(), nullptr);
}

// --- Painting ----------------------------------------------------------------------------------

TEST_F(MenuBarTest, TheFrameBesideTheBarTakesTheMenuBarColour)
{
    skinned->SetMenu(ThreeItemMenu());
    // The style gave both colours the form's; one colour alone would shade into it.
    skinned->SetMenuBarColor(TColor(0x0000C0));
    skinned->SetMenuBarToColor(TColor(0x0000C0));
    ShowForm();
    TBitmap shot = Shot();
    const int top = TitleHeight() + 3, m = 22, w = 467;
    for (int y : {top, top + m - 1}) {
        EXPECT_EQ(shot.Pixel(1, y), TColor(0x0000C0)) << y;
        EXPECT_EQ(shot.Pixel(2, y), TColor(0x0000C0)) << y;
        EXPECT_EQ(shot.Pixel(w - 2, y), TColor(0x0000C0)) << y;
        EXPECT_EQ(shot.Pixel(w - 1, y), clBlack) << y;
        // The bar itself, right of its buttons.
        EXPECT_EQ(shot.Pixel(w - 10, y), TColor(0x0000C0)) << y;
    }
    EXPECT_EQ(shot.Pixel(1, top + m), TColor(0xE8E8E8));
    EXPECT_EQ(shot.Pixel(w - 2, top + m), TColor(0xE8E8E8));

    // Two colours shade from the first in the top row to the second in the bottom row, in the
    // bar and beside it alike.
    skinned->SetMenuBarToColor(TColor(0xC00000));
    shot = Shot();
    for (int x : {1, 2, w - 2, w - 10}) {
        EXPECT_EQ(shot.Pixel(x, top), TColor(0x0000C0)) << x;
        EXPECT_EQ(shot.Pixel(x, top + m - 1), TColor(0xC00000)) << x;
        EXPECT_NE(shot.Pixel(x, top + m / 2), TColor(0x0000C0)) << x;
        EXPECT_NE(shot.Pixel(x, top + m / 2), TColor(0xC00000)) << x;
    }
}

TEST_F(MenuBarTest, ButtonsAreDrawnInTheMenusStyle)
{
    UsePinnedFonts();
    TMainMenu* menu = ThreeItemMenu();
    menu->Items().Items(2)->SetEnabled(false);
    skinned->SetMenu(menu);
    ShowForm();
    Run("move " + Middle(0));
    ASSERT_TRUE(Bar()->Buttons(0)->Hot());
    TBitmap shot = Shot();
    TsuiMenuBarButton* hot = Bar()->Buttons(0);
    const TPoint at = hot->ClientToWindow(TPoint(0, 0));
    const TColor fill = GetStyleColor(DeepBlue, STYLE_MENU_SELECTED_COLOR);
    const TColor border = GetStyleColor(DeepBlue, STYLE_MENU_SELECTED_BORDER_COLOR);
    EXPECT_EQ(shot.Pixel(at.X, at.Y), border);
    EXPECT_EQ(shot.Pixel(at.X + 2, at.Y + 2), fill);
    auto countColour = [&](const TsuiMenuBarButton* button, TColor colour) {
        const TPoint p = button->ClientToWindow(TPoint(0, 0));
        int n = 0;
        for (int y = 0; y < button->Height(); ++y)
            for (int x = 0; x < button->Width(); ++x)
                n += shot.Pixel(p.X + x, p.Y + y) == colour ? 1 : 0;
        return n;
    };
    EXPECT_GT(countColour(hot, GetStyleColor(DeepBlue, STYLE_MENU_SELECTED_FONT_COLOR)), 0);
    EXPECT_GT(countColour(Bar()->Buttons(1), GetStyleColor(DeepBlue, STYLE_MENU_FONT_COLOR)), 0);
    EXPECT_GT(countColour(Bar()->Buttons(2), TColor(0x808080)), 0) << "disabled caption";
    EXPECT_EQ(countColour(Bar()->Buttons(1), fill), 0);

    // Leaving the button puts it back.
    Run("move 200 300");
    EXPECT_FALSE(Bar()->Buttons(0)->Hot());
    shot = Shot();
    EXPECT_EQ(countColour(Bar()->Buttons(0), fill), 0);
}

// --- Clicks and keys ---------------------------------------------------------------------------

TEST_F(MenuBarTest, ClickingAButtonRunsItsItem)
{
    TMainMenu* menu = ThreeItemMenu();
    skinned->SetMenu(menu);
    ShowForm();
    Run("click " + Middle(1));
    Run("click " + Middle(2));
    EXPECT_EQ(clicks, (std::vector<std::string>{"Edit", "Help"}));

    // Pressed while held; a release elsewhere runs nothing.
    Run("down " + Middle(0));
    EXPECT_TRUE(Bar()->Buttons(0)->Pressed());
    Run("up 200 300");
    EXPECT_FALSE(Bar()->Buttons(0)->Pressed());
    EXPECT_EQ(clicks.size(), 2u);

    menu->Items().Items(0)->SetEnabled(false);
    Run("click " + Middle(0));
    EXPECT_EQ(clicks.size(), 2u) << "a disabled item does not run";
}

TEST_F(MenuBarTest, AnItemMayTakeTheMenuAwayWhileItRuns)
{
    TMainMenu* menu = ThreeItemMenu();
    menu->Items().Items(0)->OnClick = [this](TObject*) { skinned->SetMenu(nullptr); };
    menu->Items().Items(1)->OnClick = [menu](TObject*) { delete menu->Items().Items(1); };
    skinned->SetMenu(menu);
    ShowForm();
    Run("click " + Middle(1));
    ASSERT_EQ(Bar()->ButtonCount(), 2);
    Run("click " + Middle(0));
    EXPECT_EQ(Bar(), nullptr);
    form->Repaint();
}

TEST_F(MenuBarTest, AnItemWithSubItemsDropsThemDownBelowItsButton)
{
    TMainMenu* menu = ThreeItemMenu();
    TMenuItem* file = menu->Items().Items(0);
    for (const char* caption : {"Open", "Close"}) {
        auto* sub = new TMenuItem(form);
        sub->SetCaption(caption);
        sub->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
        file->Add(sub);
    }
    file->Items(1)->SetEnabled(false);
    skinned->SetMenu(menu);
    ShowForm();
    Run("click " + Middle(0));
    EXPECT_TRUE(clicks.empty()) << "the item with sub-items only opens them";
    TsuiPopupMenu* drop = Bar()->DropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->PopupCount(), 1);
    const TPoint below = Bar()->Buttons(0)->ClientToScreen(TPoint(0, Bar()->Buttons(0)->Height()));
    EXPECT_EQ(drop->PopupX(), below.X);
    EXPECT_EQ(drop->PopupY(), below.Y);
    ASSERT_EQ(drop->Count(), 2);
    EXPECT_EQ(drop->Items(0).Caption, "Open");
    EXPECT_FALSE(drop->Items(1).Enabled);
    EXPECT_TRUE(drop->Click(0));
    EXPECT_EQ(clicks, std::vector<std::string>{"Open"});

    // An item taken out of the menu after the drop-down opened no longer runs from it.
    delete file->Items(0);
    drop->Click(0);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MenuBarTest, AShortCutRunsItsItemWhileTheWindowIsActive)
{
    TMainMenu* menu = ThreeItemMenu();
    auto* open = new TMenuItem(form);
    open->SetCaption("Open");
    open->SetShortCut(ShortCut('O', ssCtrl));
    open->OnClick = [this](TObject*) { clicks.push_back("Open"); };
    menu->Items().Items(0)->Add(open);
    skinned->SetMenu(menu);
    ShowForm();
    Run("key ctrl+O");
    EXPECT_EQ(clicks, std::vector<std::string>{"Open"});
    Run("key O");
    EXPECT_EQ(clicks.size(), 1u) << "without Ctrl it is no short cut";

    // The key straight to the window: taken (result 1) only while it is active.
    open->SetShortCut(ShortCut(VK_F1, 0));
    EXPECT_EQ(form->Perform(WM_KEYDOWN, VK_F1, 0), 1);
    EXPECT_EQ(clicks.size(), 2u);
    form->SetActive(false);
    EXPECT_EQ(form->Perform(WM_KEYDOWN, VK_F1, 0), 0);
    EXPECT_EQ(clicks.size(), 2u) << "an inactive window runs nothing";

    form->SetActive(true);
    menu->Items().Items(0)->SetEnabled(false);
    EXPECT_EQ(form->Perform(WM_KEYDOWN, VK_F1, 0), 0);
    EXPECT_EQ(clicks.size(), 2u) << "an item below a disabled one does not run";
}

// --- Layouts -----------------------------------------------------------------------------------

TEST_F(MenuBarTest, AStoredFormNamesItsMenu)
{
    RegisterFormClasses();
    delete skinned;
    int opened = 0;
    app_->DefineHandler("OpenClick", TNotifyEvent([&opened](TObject*) { ++opened; }));
    ReadLayout(*form, R"(
object Host: TForm
  object suiForm: TsuiForm
    Menu = MainMenu1
    MenuBarHeight = 24
  end
  object MainMenu1: TsuiMainMenu
    UIStyle = WinXP
    UseSystemFont = False
    Font.Height = -13
    object FileItem: TMenuItem
      Caption = 'File'
      object OpenItem: TMenuItem
        Caption = 'Open'
        ShortCut = 16463
        OnClick = OpenClick
      end
    end
    object HelpItem: TMenuItem
      Caption = 'Help'
      Enabled = False
    end
  end
end
)");
    auto* stored = form->Find<TsuiForm>("suiForm");
    auto* menu = form->Find<TsuiMainMenu>("MainMenu1");
    ASSERT_NE(stored, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(stored->Menu(), menu);
    EXPECT_EQ(menu->Form(), stored);
    EXPECT_EQ(menu->UIStyle(), WinXP);
    EXPECT_EQ(menu->DrawingFont().Height(), -13);
    ASSERT_NE(stored->MenuBar(), nullptr);
    EXPECT_EQ(stored->MenuBarHeight(), 24);
    ASSERT_EQ(stored->MenuBar()->ButtonCount(), 2);
    EXPECT_EQ(stored->MenuBar()->Buttons(0)->Caption(), "File");
    EXPECT_FALSE(stored->MenuBar()->Buttons(1)->Enabled());
    EXPECT_EQ(stored->MenuBar()->Font().Height(), -13);
    EXPECT_TRUE(menu->IsShortCut('O', ssCtrl));
    EXPECT_EQ(opened, 1);
}

// --- Golden pictures ---------------------------------------------------------------------------

class MenuBarGolden : public MenuBarTest {
protected:
    void Prepare()
    {
        UsePinnedFonts();
        TBitmap icon(16, 16);
        TCanvas paint(icon);
        paint.Brush().SetColor(TColor(0x3080F0));
        paint.FillRect(TRect(0, 0, 16, 16));
        app_->Icon().Assign(icon);
        skinned->SetCaption("Didar Ediziveda Merrowin");
    }
};

TEST_F(MenuBarGolden, BuiltInSkin)
{
    Prepare();
    auto* menu = ThreeItemMenu<TsuiMainMenu>();
    menu->Items().Items(2)->SetEnabled(false);
    skinned->SetMenu(menu);
    // Applying the style hands the skin to the menu shown.
    skinned->SetFileTheme(BuiltInSkin());
    skinned->SetUIStyle(FromThemeFile);
    ShowForm();
    TBitmap plain = Shot();
    Run("move " + Middle(1));
    TBitmap hot = Shot();
    ExpectGolden(Sheet({plain, hot}), "form-menubar-builtin.png");
}

TEST_F(MenuBarGolden, MacOSHotItem)
{
    Prepare();
    auto* menu = ThreeItemMenu<TsuiMainMenu>();
    menu->Items().Items(2)->SetEnabled(false);
    skinned->SetMenu(menu);
    skinned->SetUIStyle(MacOS);
    ShowForm();
    Run("move " + Middle(0));
    ExpectGolden(Sheet({Shot()}), "form-menubar-macos.png");
}

}  // namespace
