#include "skin/controls/PopupMenu.h"

#include "skin/controls/PopupMenuWindow.h"
#include "toolkit/application/Application.h"

int TsuiPopupMenu::Add(const std::string& caption, TNotifyEvent onClick)
{
    items_.push_back(Item{caption, true, std::move(onClick)});
    return Count() - 1;
}

TsuiPopupMenu::Item& TsuiPopupMenu::Items(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[size_t(index)];
}

const TsuiPopupMenu::Item& TsuiPopupMenu::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[size_t(index)];
}

void TsuiPopupMenu::Popup(int x, int y)
{
    ++popupCount_;
    popupX_ = x;
    popupY_ = y;
    if (OnPopup)
        OnPopup(this, x, y);
    if (!Application)
        return;
    if (!window_)
        window_ = new TsuiPopupMenuWindow(this);
    window_->PopupAt(x, y);
}

bool TsuiPopupMenu::Click(int index)
{
    if (index < 0 || index >= Count())
        return false;
    Item& item = items_[size_t(index)];
    if (!item.Enabled || item.Caption == "-" || !item.OnClick)
        return false;
    item.OnClick(this);
    return true;
}
