#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/graphics/Picture.h"

#include <memory>
#include <vector>

class TsuiPopupMenu;
class TsuiTitleBar;
class TsuiTitleBarButtons;

enum TsuiTitleBarBtnType { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };

// One button of a title bar with its normal, hot and pressed pictures, which the style fills
// from the 18-frame title-button strip (three frames per button type).
class TsuiTitleBarButton {
public:
    explicit TsuiTitleBarButton(TsuiTitleBarButtons& collection) : collection_(collection) {}

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Reloads the pictures.
    void SetUIStyle(TsuiUIStyle value);
    TsuiTitleBarBtnType ButtonType() const { return buttonType_; }
    // A second control box is refused with an error box; the type stays.
    void SetButtonType(TsuiTitleBarBtnType value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    int Top() const { return top_; }
    void SetTop(int value);
    TsuiPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
    void SetControlBoxMenu(TsuiPopupMenu* value) { controlBoxMenu_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    const TPicture& PicNormal() const { return picNormal_; }
    const TPicture& PicMouseOn() const { return picMouseOn_; }
    const TPicture& PicMouseDown() const { return picMouseDown_; }
    void SetPicNormal(const TPicture& value);
    void SetPicMouseOn(const TPicture& value);
    void SetPicMouseDown(const TPicture& value);
    // All three pictures hold an image: only then is the button laid out, drawn and hit.
    bool HasPictures() const;

    void Assign(const TsuiTitleBarButton& source);
    int Index() const;

    // The pictures and Top from the style or the bar's file theme (nothing for suiCustom).
    void UpdatePictures();
    // A maximise button of a bar that is not Custom shows the restore frames while the form is
    // maximised.
    void UpdateMaxPictures();

private:
    void LoadFrames(int base, bool fromTheme, TsuiUIStyle style);
    void Changed();

    TsuiTitleBarButtons& collection_;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiTitleBarBtnType buttonType_ = suiCustom;
    bool transparent_ = false;
    int top_ = 2;
    TsuiPopupMenu* controlBoxMenu_ = nullptr;
    bool visible_ = true;
    TPicture picNormal_;
    TPicture picMouseOn_;
    TPicture picMouseDown_;
};

class TsuiTitleBarButtons {
public:
    explicit TsuiTitleBarButtons(TsuiTitleBar* titleBar) : titleBar_(titleBar) {}

    TsuiTitleBar* TitleBar() const { return titleBar_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError outside the collection.
    TsuiTitleBarButton* Items(int index) const;
    TsuiTitleBarButton* Add();
    void Clear();
    int IndexOf(const TsuiTitleBarButton* item) const;
    void Assign(const TsuiTitleBarButtons& source);
    void Changed();

private:
    TsuiTitleBar* titleBar_;
    std::vector<std::unique_ptr<TsuiTitleBarButton>> items_;
};
