#pragma once

#include "skin/archive/SkinKeys.h"
#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"

class TBitmap;
class TsuiFileTheme;

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A skinned check box: a state picture from the file theme's six-frame strip or the built-in
// style's four-frame strip, and the caption beside it. OnClick (the control's) fires on every
// change of Checked, by the user or by code, except while its form is being loaded; a click
// toggles. Only the picture shows the disabled state; the caption keeps its colour.
class TsuiCheckBox : public TCustomControl {
public:
    explicit TsuiCheckBox(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    // cbGrayed is never held: writing it unchecks.
    TCheckBoxState State() const { return checked_ ? cbChecked : cbUnchecked; }
    void SetState(TCheckBoxState value) { SetChecked(value == cbChecked); }
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Sizes the control to its picture and caption whenever it paints.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // The toggle (mouse, keys, mnemonic); OnClick comes from the change of state it makes.
    void Click() override;

protected:
    virtual bool ShowsFocus() const;
    virtual bool GlyphTransparent() const { return false; }
    virtual int GlyphElement() const;
    virtual TsuiSkinBitmapKey GlyphSkinKey() const { return SKIN2_CHECKBOX; }
    // After Checked changed.
    virtual void StateChanged();
    virtual void BeforeToggle() {}
    virtual void Toggle();
    // Whether Space and Return toggle it.
    virtual bool KeysToggle() const { return true; }

    // The state picture for the current state and look.
    void GetGlyph(TBitmap& glyph) const;
    // Whether OnClick must keep quiet: the control or its form is being read from a layout.
    bool Loading() const;

    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void FontChanged() override;
    void TextChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;

private:
    void AdjustSize(const TCanvas& canvas, const TBitmap& glyph);
    void HandleDialogChar(TMessage& message);

    bool checked_ = false;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    bool transparent_ = false;
    bool autoSize_ = true;
};
