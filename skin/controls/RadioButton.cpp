#include "skin/controls/RadioButton.h"

#include "skin/themes/StylesTable.h"

#include <vector>

TsuiRadioButton::TsuiRadioButton(TComponent* owner) : TsuiCheckBox(owner)
{
    SetControlStyle(ControlStyle() | csDoubleClicks);
}

const TClassInfo& TsuiRadioButton::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiRadioButton", &TsuiCheckBox::StaticClassInfo(),
        [](TComponent* owner) { return new TsuiRadioButton(owner); },
        [](TClassInfo& c) {
            TPublisher<TsuiRadioButton>(c).Integer("GroupIndex", &TsuiRadioButton::GroupIndex,
                                                   &TsuiRadioButton::SetGroupIndex);
        });
    return info;
}

int TsuiRadioButton::GlyphElement() const { return STYLE_RADIOBUTTON_IMAGE; }

// Also while loading: of a group stored with several checked, the last one read wins.
void TsuiRadioButton::StateChanged()
{
    if (!Checked())
        return;
    UncheckGroup();
    TsuiCheckBox::StateChanged();
}

void TsuiRadioButton::Toggle()
{
    if (!Checked())
        SetChecked(true);
}

void TsuiRadioButton::UncheckGroup()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    std::vector<TsuiRadioButton*> others;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TsuiRadioButton*>(parent->Controls(i));
        if (other && other != this && other->GroupIndex() == groupIndex_)
            others.push_back(other);
    }
    for (TsuiRadioButton* other : others)
        other->SetChecked(false);
}
