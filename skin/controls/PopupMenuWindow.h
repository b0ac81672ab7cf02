#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/forms/CustomForm.h"

class TsuiFileTheme;
class TsuiPopupMenu;

// The colours a pop-up menu is drawn in: the file theme's menu colours, or the built-in style's.
struct TsuiMenuColors {
    TColor Back = clWhite;
    TColor Text = clBlack;
    TColor Disabled = TColor(0x808080);
    TColor Hot = clNavy;
    TColor HotBorder = clNavy;
    TColor HotText = clWhite;
};
TsuiMenuColors MenuColors(const TsuiFileTheme* fileTheme, TsuiUIStyle uiStyle);

// The window a skinned pop-up menu shows: a borderless form that lists the menu's items in the
// menu's skin colours, highlights the enabled item under the cursor, runs an item when it is
// clicked or chosen with Enter or its hot key, and goes away on Escape, on a click outside it or
// when another window becomes active. While it is shown it holds the mouse, so that a click
// anywhere reaches it first, the way a menu of the system does.
class TsuiPopupMenuWindow : public TCustomForm {
public:
    static constexpr int kItemHeight = 20;
    static constexpr int kSeparatorHeight = 9;
    static constexpr int kTextLeft = 24;
    static constexpr int kTextRightPad = 24;

    explicit TsuiPopupMenuWindow(TsuiPopupMenu* menu);

    // Sizes the window to the items, places it at the screen point and shows it.
    void PopupAt(int x, int y);
    // Hides the window without running anything.
    void Dismiss();
    int HotItem() const { return hot_; }
    void SetHotItem(int index);
    // Item `index`'s rectangle in client pixels.
    TRect ItemRect(int index) const;
    // The item under a client point, -1 for none (separators included).
    int ItemAt(int x, int y) const;

protected:
    void PaintControl(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

private:
    bool Selectable(int index) const;
    int ItemHeight(int index) const;
    void MoveHot(int step);
    void Choose(int index);
    int HotKeyItem(uint16_t key) const;

    TsuiPopupMenu* menu_;
    int hot_ = -1;
};
