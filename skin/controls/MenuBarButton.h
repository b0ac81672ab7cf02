#pragma once

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Control.h"

class TMenuItem;
class TsuiMenuBar;

// One place on a skinned form's menu bar, bound to a top-level menu item: it shows the item's
// caption, takes its enabled state, lights up under the cursor and is pressed while the left
// button is held on it. The bar draws it and decides what a click does.
class TsuiMenuBarButton : public TGraphicControl {
public:
    TsuiMenuBarButton(TsuiMenuBar* bar, TMenuItem* item);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TMenuItem* Item() const { return item_; }
    // Copies the item's caption and enabled state.
    void UpdateFromItem();
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }
    // Drawn as hot or pressed (never while disabled).
    bool Highlighted() const { return Enabled() && (hot_ || pressed_); }

    // What a click does, without the mouse.
    void Click() override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TsuiMenuBar* bar_;
    TMenuItem* item_;
    bool hot_ = false;
    bool pressed_ = false;
    bool clickPending_ = false;
};
