#include "skin/controls/TitleBarSection.h"

#include "skin/controls/TitleBar.h"
#include "toolkit/core/Exceptions.h"

void TsuiTitleBarSection::SetAutoSize(bool value)
{
    autoSize_ = value;
    if (!picture_.Empty())
        width_ = picture_.Width();
    Changed();
}

void TsuiTitleBarSection::SetWidth(int value)
{
    width_ = value;
    Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign value)
{
    if (value == suiClient && align_ != suiClient) {
        for (int i = 0; i < collection_.Count(); ++i)
            if (collection_.Items(i)->Align() == suiClient) {
                ShowSkinError("Sorry, only one section's Align property can be \"suiClient\"");
                return;
            }
    }
    align_ = value;
    if (value == suiClient)
        stretch_ = true;
    Changed();
}

void TsuiTitleBarSection::SetPicture(const TPicture& value)
{
    picture_.Assign(value);
    if (autoSize_ && !picture_.Empty())
        width_ = picture_.Width();
    Changed();
}

void TsuiTitleBarSection::SetPicture(const TBitmap& value)
{
    TPicture picture;
    picture.Assign(value);
    SetPicture(picture);
}

void TsuiTitleBarSection::SetStretch(bool value)
{
    stretch_ = value;
    Changed();
}

void TsuiTitleBarSection::SetCapSec(bool value)
{
    capSec_ = value;
    Changed();
}

void TsuiTitleBarSection::Assign(const TsuiTitleBarSection& source)
{
    autoSize_ = source.autoSize_;
    width_ = source.width_;
    align_ = source.align_;
    picture_.Assign(source.picture_);
    stretch_ = source.stretch_;
    capSec_ = source.capSec_;
    Changed();
}

int TsuiTitleBarSection::Index() const { return collection_.IndexOf(this); }

void TsuiTitleBarSection::Changed() { collection_.Changed(); }

TsuiTitleBarSection* TsuiTitleBarSections::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[size_t(index)].get();
}

TsuiTitleBarSection* TsuiTitleBarSections::Add()
{
    items_.push_back(std::make_unique<TsuiTitleBarSection>(*this));
    Changed();
    return items_.back().get();
}

void TsuiTitleBarSections::Clear()
{
    items_.clear();
    Changed();
}

int TsuiTitleBarSections::IndexOf(const TsuiTitleBarSection* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[size_t(i)].get() == item)
            return i;
    return -1;
}

void TsuiTitleBarSections::Assign(const TsuiTitleBarSections& source)
{
    if (&source == this)
        return;
    items_.clear();
    for (int i = 0; i < source.Count(); ++i) {
        items_.push_back(std::make_unique<TsuiTitleBarSection>(*this));
        // Copied field by field: a copied client section must not meet the one-client check.
        items_.back()->Assign(*source.Items(i));
    }
    Changed();
}

void TsuiTitleBarSections::Changed()
{
    if (titleBar_)
        titleBar_->Repaint();
}
