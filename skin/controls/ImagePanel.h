#pragma once

#include "skin/controls/CustomPanel.h"

// The picture panel layouts name: the wizard's side pictures and the thumb of the skinned
// scroll bar. It publishes what TsuiCustomPanel offers.
class TsuiImagePanel : public TsuiCustomPanel {
public:
    explicit TsuiImagePanel(TComponent* owner) : TsuiCustomPanel(owner) {}

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
