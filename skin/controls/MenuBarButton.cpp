#include "skin/controls/MenuBarButton.h"

#include "skin/controls/MenuBar.h"
#include "toolkit/menus/MenuItem.h"

TsuiMenuBarButton::TsuiMenuBarButton(TsuiMenuBar* bar, TMenuItem* item) : TGraphicControl(bar), bar_(bar), item_(item)
{
    SetControlStyle(csCaptureMouse | csClickEvents);
    UpdateFromItem();
}

const TClassInfo& TsuiMenuBarButton::StaticClassInfo()
{
    static const TClassInfo info("TsuiMenuBarButton", &TGraphicControl::StaticClassInfo(), nullptr);
    return info;
}

void TsuiMenuBarButton::UpdateFromItem()
{
    SetCaption(item_->Caption());
    SetEnabled(item_->Enabled());
    if (!Enabled())
        hot_ = pressed_ = false;
}

void TsuiMenuBarButton::Click()
{
    if (clickPending_) {
        // The mouse release that ends this click runs it, as the last thing it does.
        return;
    }
    bar_->ButtonClicked(this);
}

void TsuiMenuBarButton::Paint() { bar_->DrawButton(Canvas(), *this); }

void TsuiMenuBarButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        hot_ = message.Msg == CM_MOUSEENTER && Enabled();
        Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled())
            hot_ = pressed_ = false;
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(message);
}

void TsuiMenuBarButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    pressed_ = true;
    clickPending_ = true;
    Invalidate();
}

// The item's handler may take the menu, the bar and this button away, so the click runs after
// everything else the release does.
void TsuiMenuBarButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft)
        return;
    const bool inside = TRect(0, 0, Width(), Height()).Contains(TPoint(x, y));
    const bool click = clickPending_ && inside && Enabled();
    pressed_ = false;
    clickPending_ = false;
    Invalidate();
    if (click)
        bar_->ButtonClicked(this);
}
