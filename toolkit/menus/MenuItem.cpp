#include "toolkit/menus/MenuItem.h"

#include "toolkit/menus/MainMenu.h"

#include <algorithm>

TShortCut ShortCut(uint16_t key, TShiftState shift)
{
    if (key == 0 || key > 0xFF)
        return 0;
    TShortCut result = key;
    if (shift & ssShift)
        result |= scShift;
    if (shift & ssCtrl)
        result |= scCtrl;
    if (shift & ssAlt)
        result |= scAlt;
    return result;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    // Children go first so that the parent hears of one change, not of every child.
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        delete child;
    }
    if (parent_)
        parent_->Remove(this);
}

const TClassInfo& TMenuItem::StaticClassInfo()
{
    static const TClassInfo info("TMenuItem", &TComponent::StaticClassInfo(),
                                 [](TComponent* owner) { return new TMenuItem(owner); }, [](TClassInfo& c) {
                                     using P = TMenuItem;
                                     TPublisher<P>(c)
                                         .String("Caption", &P::Caption, &P::SetCaption)
                                         .Boolean("Enabled", &P::Enabled, &P::SetEnabled)
                                         .Integer("ShortCut", &P::ShortCut,
                                                  [](P& self, int v) { self.SetShortCut(TShortCut(v)); })
                                         .Event<TNotifyEvent>("OnClick",
                                                              [](P& self, const TNotifyEvent& e) { self.OnClick = e; });
                                 });
    return info;
}

void TMenuItem::SetCaption(const std::string& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    Changed(false);
}

void TMenuItem::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Changed(false);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[size_t(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

bool TMenuItem::Contains(const TMenuItem* item) const
{
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item)
            return true;
    return false;
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        return;
    if (index < 0 || index > Count())
        throw EListError(index);
    if (Contains(item))
        throw EMenuError("菜单项不能包含自身");
    if (item->parent_) {
        // Moving within the same item shifts the places after it by one.
        if (item->parent_ == this && IndexOf(item) < index)
            --index;
        item->parent_->Remove(item);
    }
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    Changed(true);
}

TMainMenu* TMenuItem::Menu() const
{
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

bool TMenuItem::Click()
{
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (!p->enabled_)
            return false;
    if (!OnClick)
        return false;
    OnClick(this);
    return true;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut)
{
    if (shortCut == 0 || !enabled_)
        return nullptr;
    if (shortCut_ == shortCut)
        return this;
    for (TMenuItem* child : items_)
        if (TMenuItem* found = child->FindShortCut(shortCut))
            return found;
    return nullptr;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMainMenu*>(parent))
        menu->Items().Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::Changed(bool rebuild)
{
    if (IsDestroying() && !rebuild)
        return;
    if (TMainMenu* menu = Menu())
        menu->Changed(this, rebuild);
}
