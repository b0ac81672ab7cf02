#pragma once

#include "skin/controls/CheckBox.h"

// A skinned radio button. Becoming checked unchecks every other radio button with the same
// parent and GroupIndex (they fire nothing); OnClick fires only when it becomes checked. A click
// never unchecks it, Space and Return do nothing, and a double click is a click and OnDblClick.
class TsuiRadioButton : public TsuiCheckBox {
public:
    explicit TsuiRadioButton(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }

protected:
    bool GlyphTransparent() const override { return true; }
    int GlyphElement() const override;
    TsuiSkinBitmapKey GlyphSkinKey() const override { return SKIN2_RADIOBUTTON; }
    void StateChanged() override;
    void Toggle() override;
    bool KeysToggle() const override { return false; }

private:
    void UncheckGroup();

    int groupIndex_ = 0;
};
