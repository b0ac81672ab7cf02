#pragma once

#include "toolkit/forms/CustomForm.h"

// The form a layout names: TCustomForm with its properties published.
class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
