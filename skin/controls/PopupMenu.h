#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/components/Component.h"

#include <functional>
#include <string>
#include <vector>

class TsuiFileTheme;
class TsuiPopupMenuWindow;

// A small pop-up menu: captions ("-" is a separator), enabled states and click handlers, with
// the style and file theme it is drawn in. Popping it up records where it was asked to appear,
// tells OnPopup and, inside a running application, shows the menu's window there; choosing an
// item runs its handler.
class TsuiPopupMenu : public TComponent {
public:
    struct Item {
        std::string Caption;
        bool Enabled = true;
        TNotifyEvent OnClick;
    };

    explicit TsuiPopupMenu(TComponent* owner) : TComponent(owner) {}

    int Add(const std::string& caption, TNotifyEvent onClick = nullptr);
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError for an index outside the menu.
    Item& Items(int index);
    const Item& Items(int index) const;

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value) { uiStyle_ = value; }
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value) { fileTheme_ = value; }
    bool AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(bool value) { autoHotkeys_ = value; }

    // Screen position.
    virtual void Popup(int x, int y);
    int PopupCount() const { return popupCount_; }
    int PopupX() const { return popupX_; }
    int PopupY() const { return popupY_; }
    std::function<void(TsuiPopupMenu* Sender, int X, int Y)> OnPopup;
    // The window of the last popup; nullptr before the first.
    TsuiPopupMenuWindow* Window() const { return window_; }

    // Runs the item's handler; a separator or a disabled item does nothing. False when nothing ran.
    bool Click(int index);

private:
    std::vector<Item> items_;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    bool autoHotkeys_ = true;
    int popupCount_ = 0;
    int popupX_ = 0;
    int popupY_ = 0;
    TsuiPopupMenuWindow* window_ = nullptr;  // owned as a component
};
