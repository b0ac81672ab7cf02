#pragma once

#include "toolkit/menus/MenuItem.h"

#include <functional>
#include <memory>
#include <vector>

class TMainMenu;

// Source: the item that changed, nullptr for the menu as a whole. Rebuild: items came or went
// (or the menu is going: Sender->IsDestroying()), so whatever mirrors the tree builds it again;
// otherwise only captions or enabled states changed.
using TMenuChangeEvent = std::function<void(TMainMenu* Sender, TMenuItem* Source, bool Rebuild)>;

// A window's menu: a non-visual component holding a tree of items under its root item. It
// tells about changes (OnChange, and every watcher added with AddWatcher, such as a bar that
// shows the top-level items) and finds the item a key combination is the short cut of.
class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The root: its items are the top-level items.
    TMenuItem& Items() { return *root_; }
    const TMenuItem& Items() const { return *root_; }

    // Runs the enabled item whose short cut is the key with these modifiers. False when no item
    // took it.
    bool IsShortCut(uint16_t key, TShiftState shift);

    TMenuChangeEvent OnChange;
    // Watchers are keyed by who added them; adding again under the same key replaces the handler.
    void AddWatcher(const void* key, TMenuChangeEvent handler);
    void RemoveWatcher(const void* key);
    // Reports a change to OnChange and the watchers; nothing while the menu is being built
    // from a layout (Loaded reports once) or freed.
    void Changed(TMenuItem* source, bool rebuild);

    void Loaded() override;

private:
    void Notify(TMenuItem* source, bool rebuild);

    std::unique_ptr<TMenuItem> root_;
    std::vector<std::pair<const void*, TMenuChangeEvent>> watchers_;
};
