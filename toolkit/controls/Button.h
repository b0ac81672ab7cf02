#pragma once

#include "toolkit/controls/WinControl.h"

// The classic push button: a raised face that sinks while pressed, a thick frame while it is the
// button Enter presses, a dotted focus frame, and a caption with its mnemonic. Enter presses the
// focused button, or the Default one while the focus is on something that is not a button; Esc
// presses the Cancel one. A click sets the form's ModalResult to the button's.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool Pressed() const { return pressed_; }

    void Click() override;

protected:
    void WndProc(TMessage& message) override;
    void PaintControl(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;

private:
    void SetPressed(bool value);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    bool pressed_ = false;
    bool tracking_ = false;
    int modalResult_ = 0;
};
