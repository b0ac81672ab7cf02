#pragma once

#include "skin/controls/PopupMenu.h"

class TsuiTitleBar;

// The title bar's system menu: minimise, maximise or restore, a separator and close. Popping it
// up enables each item only while the bar shows the matching button.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
public:
    static constexpr int kMinimizeItem = 0;
    static constexpr int kMaximizeItem = 1;
    static constexpr int kCloseItem = 3;

    TsuiTitleBarPopupMenu(TComponent* owner, TsuiTitleBar* titleBar);

    TsuiTitleBar* TitleBar() const { return titleBar_; }
    void Popup(int x, int y) override;

private:
    TsuiTitleBar* titleBar_;
};
