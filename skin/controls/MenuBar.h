#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"

#include <vector>

class TMainMenu;
class TMenuItem;
class TsuiFileTheme;
class TsuiForm;
class TsuiMenuBarButton;
class TsuiPopupMenu;

// The bar a skinned form shows below its title bar for its main menu: one flat button per
// top-level item, in the items' order, each as wide as its caption needs and as high as the
// form's MenuBarHeight, wrapping onto further rows when the bar is too narrow. The bar follows
// the menu's changes, paints its background in the form's menu-bar colours (a picture for the
// MacOS style) and draws its buttons in the menu's style, or the form's for a plain menu. A
// click on a button runs its item, or drops its sub-items down below it.
class TsuiMenuBar : public TCustomControl {
public:
    // Horizontal room on each side of a caption.
    static constexpr int kCaptionPadding = 7;

    // Owned by the form and placed in it, aligned to the top.
    explicit TsuiMenuBar(TsuiForm* form);
    ~TsuiMenuBar() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TMainMenu* Menu() const { return menu_; }
    // Watches the menu and builds the buttons for it.
    void SetMenu(TMainMenu* menu);
    // Frees every button and makes one per top-level item again.
    void Rebuild();
    // Copies each item's caption and enabled state to its button and lays the buttons out anew.
    void RefreshButtons();

    int ButtonHeight() const { return buttonHeight_; }
    // Every button gets this height; the bar is as high as its rows of buttons.
    void SetButtonHeight(int value);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // Raises EListError for an index outside the list.
    TsuiMenuBarButton* Buttons(int index) const;
    int RowCount() const { return rows_; }

    // The style the buttons are drawn in: the skinned menu's, else the form's.
    TsuiUIStyle ButtonStyle() const;
    TsuiFileTheme* ButtonFileTheme() const;
    // The skinned menu's drawing font, else the system menu font.
    TFont ButtonFont() const;

    void DrawButton(TCanvas& canvas, const TsuiMenuBarButton& button) const;
    // Runs the button's item, or drops its sub-items down.
    void ButtonClicked(TsuiMenuBarButton* button);
    // The menu of the last drop-down; nullptr before the first.
    TsuiPopupMenu* DropDown() const { return dropDown_; }

protected:
    void Paint() override;
    void BoundsChanged(bool resized) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void MenuChanged(bool rebuild);
    void FreeButtons();
    void LayoutButtons();
    void ShowDropDown(TsuiMenuBarButton* button);
    bool MacStyle() const;

    TsuiForm* form_;
    TMainMenu* menu_ = nullptr;
    std::vector<TsuiMenuBarButton*> buttons_;
    int buttonHeight_ = 22;
    int rows_ = 1;
    bool autoSize_ = true;
    TsuiPopupMenu* dropDown_ = nullptr;
};
