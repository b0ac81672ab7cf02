#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"

#include <memory>
#include <string>

class TBitmap;
class TTimer;
class TsuiFileTheme;

// The base of every skinned button: the state machine (pointer over it, held down by mouse or
// key, focus, Default and Cancel, auto-repeat while held) and the off-screen paint sequence. A
// derived class decides what the face looks like and how the caption and focus are drawn.
//
// The face is a strip of three frames (normal, pointer over, pressed) from the file theme while
// UIStyle is FromThemeFile and the theme is ready, else from the built-in style's button bitmap.
// Every skinned button answers the button query (MSG_BUTTON_QUERY) with 1, so that mnemonics
// work without Alt while the focus is on one.
class TsuiCustomButton : public TCustomControl {
public:
    explicit TsuiCustomButton(TComponent* owner);
    ~TsuiCustomButton() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The caption is the control's text; setting either shows in the other.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Tells the form's controls to work out again which button answers Enter.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Copied to the parent form on every click, 0 included.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    // Milliseconds between OnMouseContinuouslyDown events while the left button is held; 0 or
    // less means none come.
    int MouseContinuouslyDownInterval() const { return repeatInterval_; }
    void SetMouseContinuouslyDownInterval(int value) { repeatInterval_ = value; }
    int FocusedRectMargin() const { return focusedRectMargin_; }
    void SetFocusedRectMargin(int value);

    // The state the face shows.
    bool MouseOver() const { return mouseOver_; }
    bool Pressed() const { return pressed_; }
    // Whether Enter clicks this button now: it has the focus, or it is the Default one and the
    // focus is on something that is not a skinned push button.
    bool ActiveDefault() const { return activeDefault_; }
    // Whether the auto-repeat timer exists (from a left press until click, leave or cancel).
    bool Repeating() const { return timer_ != nullptr; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

    // Ends a press, sets the form's ModalResult, then OnClick.
    void Click() override;

protected:
    // --- What derived classes change ------------------------------------------------------------
    // Resizes from the built-in style bitmap while AutoSize is on (called when it is assigned).
    virtual void ApplyAutoSize();
    virtual void CaptionChanged() {}
    void FontChanged() override;
    virtual void TransparentChanged();
    virtual void EnabledChanged() {}
    virtual void StyleChanged() {}
    // The face at its own size at the top-left corner; greyed when disabled.
    virtual void PaintFace(TCanvas& canvas, TBitmap& face);
    // The caption centred (word-wrapped for measuring), etched when disabled, one pixel down
    // and right while pressed, bold when the focus painter asked for it.
    virtual void PaintCaption(TCanvas& canvas, const std::string& caption);
    // The dotted focus rectangle FocusedRectMargin inside the edges.
    virtual void PaintFocus(TCanvas& canvas);
    virtual void GetNormalFace(TBitmap& face);
    virtual void GetMouseOnFace(TBitmap& face);
    virtual void GetPressedFace(TBitmap& face);
    virtual void GetDisabledFace(TBitmap& face);

    // Frame `frame` (1 to 3) of the button strip of the effective look.
    void GetFaceFrame(TBitmap& face, int frame) const;

    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void TextChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;

    // Set by a focus painter that shows focus as a bold caption; the centred caption painter
    // uses and clears it.
    bool focusBold_ = false;
    // The face is drawn with a transparent colour; follows Transparent.
    bool faceTransparent_ = false;

private:
    void FillFace(TBitmap& face);
    void StartRepeat();
    void StopRepeat();
    void EndPress();
    void HandleDialogKey(TMessage& message);
    void HandleDialogChar(TMessage& message);
    void UpdateActiveDefault(const TWinControl* focused);

    std::string caption_;
    bool autoSize_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool transparent_ = false;
    int modalResult_ = 0;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    int repeatInterval_ = 100;
    int focusedRectMargin_ = 2;
    bool activeDefault_ = false;
    bool mouseOver_ = false;
    bool pressed_ = false;
    std::unique_ptr<TTimer> timer_;
};

// Whether the component is a skinned push button (TsuiButton or a class derived from it).
bool IsSkinnedPushButton(const TComponent* component);
