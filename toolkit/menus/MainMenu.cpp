#include "toolkit/menus/MainMenu.h"

#include <algorithm>

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), root_(std::make_unique<TMenuItem>(nullptr))
{
    root_->menu_ = this;
}

TMainMenu::~TMainMenu()
{
    Destroying();
    // Watchers drop their references to the items before the items go.
    Notify(nullptr, true);
    watchers_.clear();
    root_.reset();
}

const TClassInfo& TMainMenu::StaticClassInfo()
{
    static const TClassInfo info("TMainMenu", &TComponent::StaticClassInfo(),
                                 [](TComponent* owner) { return new TMainMenu(owner); });
    return info;
}

bool TMainMenu::IsShortCut(uint16_t key, TShiftState shift)
{
    TMenuItem* item = root_->FindShortCut(ShortCut(key, shift));
    return item && item->Click();
}

void TMainMenu::AddWatcher(const void* key, TMenuChangeEvent handler)
{
    for (auto& watcher : watchers_)
        if (watcher.first == key) {
            watcher.second = std::move(handler);
            return;
        }
    watchers_.emplace_back(key, std::move(handler));
}

void TMainMenu::RemoveWatcher(const void* key)
{
    watchers_.erase(std::remove_if(watchers_.begin(), watchers_.end(), [key](const auto& w) { return w.first == key; }),
                    watchers_.end());
}

void TMainMenu::Changed(TMenuItem* source, bool rebuild)
{
    if (IsLoading() || IsDestroying())
        return;
    Notify(source, rebuild);
}

void TMainMenu::Loaded()
{
    TComponent::Loaded();
    Changed(nullptr, true);
}

void TMainMenu::Notify(TMenuItem* source, bool rebuild)
{
    if (OnChange)
        OnChange(this, source, rebuild);
    // A watcher may remove itself (or others) while it is told; go by key, not by position.
    std::vector<const void*> keys;
    for (const auto& watcher : watchers_)
        keys.push_back(watcher.first);
    for (const void* key : keys) {
        auto it = std::find_if(watchers_.begin(), watchers_.end(), [key](const auto& w) { return w.first == key; });
        if (it == watchers_.end())
            continue;
        TMenuChangeEvent handler = it->second;
        handler(this, source, rebuild);
    }
}
