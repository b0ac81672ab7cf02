#pragma once

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/ControlTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class TMainMenu;

// A key with its modifiers packed the classic way: the virtual-key code in the low byte, then
// scShift, scCtrl and scAlt. 0 is no short cut.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(uint16_t key, TShiftState shift);

// One entry of a menu: a caption ("-" draws a separator), an enabled state, a short cut, a click
// handler and the entries below it. An item belongs to the item it was added to and is freed
// with it; freeing an item takes it out of its parent first. Changes are reported to the menu
// at the top of the tree, so that whatever shows the menu can follow them.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value) { shortCut_ = value; }
    TNotifyEvent OnClick;

    // --- The tree -----------------------------------------------------------------------------
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError for an index outside the list.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // Appends or inserts an item; one that belongs to another item moves here. Raises
    // EListError for an index outside 0 .. Count and EMenuError for an item that would contain
    // itself.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this one without freeing it.
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    // The menu at the top of the tree, or nullptr.
    TMainMenu* Menu() const;

    // Runs OnClick when the item and all the items above it are enabled. False when nothing ran.
    bool Click();
    // The first enabled item in this one's tree, depth first, whose short cut is `shortCut`.
    TMenuItem* FindShortCut(TShortCut shortCut);

    // A layout nests items in a menu or in another item.
    void SetParentComponent(TComponent* parent) override;

private:
    friend class TMainMenu;
    void Changed(bool rebuild);
    bool Contains(const TMenuItem* item) const;

    std::string caption_;
    bool enabled_ = true;
    TShortCut shortCut_ = 0;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMainMenu* menu_ = nullptr;  // set on the root item of a menu only
};

class EMenuError : public Exception {
    using Exception::Exception;
};
