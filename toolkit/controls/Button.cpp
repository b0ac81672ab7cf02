#include "toolkit/controls/Button.h"

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/forms/CustomForm.h"

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle((ControlStyle() | csOpaque) & ~csDoubleClicks);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

const TClassInfo& TButton::StaticClassInfo()
{
    static const TClassInfo info(
        "TButton", &TWinControl::StaticClassInfo(), [](TComponent* owner) { return new TButton(owner); },
        [](TClassInfo& c) {
            TPublisher<TButton>(c)
                .Boolean("Default", &TButton::Default, &TButton::SetDefault)
                .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel)
                .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
        });
    return info;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    TCustomForm* form = ParentForm();
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    active_ = dynamic_cast<TButton*>(focused) ? focused == this : default_;
    Invalidate();
}

void TButton::SetPressed(bool value)
{
    if (value == pressed_)
        return;
    pressed_ = value;
    Repaint();
}

void TButton::Click()
{
    if (TCustomForm* form = ParentForm())
        form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        tracking_ = true;
        SetPressed(true);
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y)
{
    if (tracking_)
        SetPressed(TRect(0, 0, Width(), Height()).Contains(TPoint(x, y)));
    TWinControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        tracking_ = false;
        SetPressed(false);
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == VK_SPACE)
        SetPressed(true);
}

void TButton::KeyUp(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyUp(key, shift);
    if (key == VK_SPACE && pressed_) {
        SetPressed(false);
        Click();
    }
}

void TButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_DIALOGKEY:
        if (((message.WParam == VK_RETURN && active_) || (message.WParam == VK_ESCAPE && cancel_)) &&
            KeyDataToShiftState(message.LParam) == 0 && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<char32_t>(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
        bool active = dynamic_cast<TButton*>(focused) ? focused == this : default_;
        if (active != active_) {
            active_ = active;
            Invalidate();
        }
        return;
    }
    case CM_CANCELMODE:
    case WM_KILLFOCUS:
        tracking_ = false;
        pressed_ = false;
        TWinControl::WndProc(message);
        return;
    case WM_GETDLGCODE:
        message.Result = DLGC_BUTTON;
        return;
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    default:
        TWinControl::WndProc(message);
    }
}

void TButton::PaintControl(TCanvas& canvas)
{
    TRect rect(0, 0, Width(), Height());
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(rect);
    if (active_ || Focused()) {
        canvas.Brush().SetColor(clWindowFrame);
        canvas.FrameRect(rect);
        rect = rect.Inflate(-1, -1);
    }
    if (pressed_) {
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FrameRect(rect);
    } else {
        TRect edge = rect;
        Frame3D(canvas, edge, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, edge, clBtnFace, clBtnShadow, 1);
    }
    canvas.SetFont(Font());
    canvas.Font().SetColor(Enabled() ? clBtnText : clGrayText);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TRect text = rect.Offset(pressed_ ? 1 : 0, pressed_ ? 1 : 0);
    canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (Focused())
        canvas.DrawFocusRect(TRect(0, 0, Width(), Height()).Inflate(-4, -4));
}
