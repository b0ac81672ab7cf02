#include "skin/controls/TitleBarButton.h"

#include "skin/controls/TitleBar.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/forms/CustomForm.h"

namespace {

constexpr int kStripFrames = 18;

// The middle (hot) frame of each type's triple in the strip; 0 for a custom button.
int BaseFrame(TsuiTitleBarBtnType type)
{
    switch (type) {
    case suiMax:
        return 8;
    case suiMin:
        return 14;
    case suiClose:
        return 17;
    case suiHelp:
        return 5;
    case suiControlBox:
        return 2;
    case suiCustom:
        break;
    }
    return 0;
}

}  // namespace

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    UpdatePictures();
    Changed();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType value)
{
    if (value == suiControlBox && buttonType_ != suiControlBox) {
        for (int i = 0; i < collection_.Count(); ++i)
            if (collection_.Items(i)->ButtonType() == suiControlBox) {
                ShowSkinError("Sorry, only one button's ButtonType property can be \"suiControlBox\"");
                return;
            }
    }
    buttonType_ = value;
    UpdatePictures();
    Changed();
}

void TsuiTitleBarButton::SetTransparent(bool value)
{
    transparent_ = value;
    Changed();
}

void TsuiTitleBarButton::SetTop(int value)
{
    top_ = value;
    Changed();
}

void TsuiTitleBarButton::SetVisible(bool value)
{
    visible_ = value;
    Changed();
}

void TsuiTitleBarButton::SetPicNormal(const TPicture& value)
{
    picNormal_.Assign(value);
    Changed();
}

void TsuiTitleBarButton::SetPicMouseOn(const TPicture& value)
{
    picMouseOn_.Assign(value);
    Changed();
}

void TsuiTitleBarButton::SetPicMouseDown(const TPicture& value)
{
    picMouseDown_.Assign(value);
    Changed();
}

bool TsuiTitleBarButton::HasPictures() const
{
    return !picNormal_.Empty() && !picMouseOn_.Empty() && !picMouseDown_.Empty();
}

void TsuiTitleBarButton::Assign(const TsuiTitleBarButton& source)
{
    visible_ = source.visible_;
    buttonType_ = source.buttonType_;
    transparent_ = source.transparent_;
    top_ = source.top_;
    uiStyle_ = source.uiStyle_;
    picNormal_.Assign(source.picNormal_);
    picMouseOn_.Assign(source.picMouseOn_);
    picMouseDown_.Assign(source.picMouseDown_);
    controlBoxMenu_ = source.controlBoxMenu_;
    Changed();
}

int TsuiTitleBarButton::Index() const { return collection_.IndexOf(this); }

void TsuiTitleBarButton::LoadFrames(int base, bool fromTheme, TsuiUIStyle style)
{
    TsuiTitleBar* bar = collection_.TitleBar();
    TPicture* pictures[3] = {&picNormal_, &picMouseOn_, &picMouseDown_};
    for (int i = 0; i < 3; ++i) {
        TBitmap frame;
        if (fromTheme)
            bar->FileTheme()->CopyBitmap(SKIN2_TITLEBUTTONS, &frame, kStripFrames, base - 1 + i);
        else
            GetStyleBitmap(style, STYLE_TITLEBUTTON_IMAGE, &frame, kStripFrames, base - 1 + i);
        pictures[i]->Assign(frame);
    }
}

void TsuiTitleBarButton::UpdatePictures()
{
    TsuiTitleBar* bar = collection_.TitleBar();
    if (!bar)
        return;
    TsuiUIStyle style = DeepBlue;
    bool fromTheme = UsesFileTheme(bar->FileTheme(), uiStyle_, style);
    transparent_ = fromTheme ? bar->FileTheme()->GetFlag(SKIN2_TITLEBTNTRANS)
                             : GetStyleFlag(style, STYLE_TITLEBUTTON_TRANSPARENT);
    int base = BaseFrame(buttonType_);
    if (base == 0)
        return;
    LoadFrames(base, fromTheme, style);
    top_ = fromTheme ? bar->FileTheme()->GetInteger(SKIN2_TITLEBARBUTTONPOSY)
                     : GetStyleInteger(style, STYLE_TITLEBUTTON_TOP);
    if (buttonType_ == suiMax)
        UpdateMaxPictures();
}

void TsuiTitleBarButton::UpdateMaxPictures()
{
    TsuiTitleBar* bar = collection_.TitleBar();
    if (!bar || bar->Custom() || buttonType_ != suiMax)
        return;
    TsuiUIStyle style = DeepBlue;
    bool fromTheme = UsesFileTheme(bar->FileTheme(), uiStyle_, style);
    TCustomForm* form = bar->ParentForm();
    bool maximised = form && form->WindowState() == wsMaximized;
    LoadFrames(maximised ? 11 : 8, fromTheme, style);
}

void TsuiTitleBarButton::Changed() { collection_.Changed(); }

TsuiTitleBarButton* TsuiTitleBarButtons::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[size_t(index)].get();
}

TsuiTitleBarButton* TsuiTitleBarButtons::Add()
{
    items_.push_back(std::make_unique<TsuiTitleBarButton>(*this));
    Changed();
    return items_.back().get();
}

void TsuiTitleBarButtons::Clear()
{
    items_.clear();
    Changed();
}

int TsuiTitleBarButtons::IndexOf(const TsuiTitleBarButton* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[size_t(i)].get() == item)
            return i;
    return -1;
}

void TsuiTitleBarButtons::Assign(const TsuiTitleBarButtons& source)
{
    if (&source == this)
        return;
    items_.clear();
    for (int i = 0; i < source.Count(); ++i) {
        items_.push_back(std::make_unique<TsuiTitleBarButton>(*this));
        items_.back()->Assign(*source.Items(i));
    }
    Changed();
}

void TsuiTitleBarButtons::Changed()
{
    if (titleBar_)
        titleBar_->Repaint();
}
