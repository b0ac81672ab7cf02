#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Memo.h"

class TsuiFileTheme;
class TsuiScrollBar;

// The toolkit memo with a flat two-colour border (one line of BorderColor, one of the memo's
// Color) and, optionally, skinned scroll bars. The bars are separate controls on the memo's
// parent; once attached, each lies exactly over the memo's own scroll bar of its direction,
// which stays underneath and keeps doing the scrolling. The memo copies the system bar's state
// onto the skinned one after everything that can scroll the text, and turns the skinned bar's
// moves into thumb-position scroll commands.
class TsuiMemo : public TMemo {
public:
    explicit TsuiMemo(TComponent* owner);
    ~TsuiMemo() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    // Applying a style sets BorderColor from it and passes the effective style on to the bars.
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    // Attaching or detaching a bar sets ScrollBars to the directions that have a skinned bar;
    // a memo that never gets one keeps its own setting.
    TsuiScrollBar* VScrollBar() const { return vScrollBar_; }
    void SetVScrollBar(TsuiScrollBar* value);
    TsuiScrollBar* HScrollBar() const { return hScrollBar_; }
    void SetHScrollBar(TsuiScrollBar* value);

    // Copies the system scroll state onto the attached bars.
    void UpdateScrollBars();
    // Lays the attached bars over the system ones, then updates them.
    void PlaceBars();

    void Loaded() override;

protected:
    void WndProc(TMessage& message) override;
    void BoundsChanged(bool resized) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void AttachBar(TsuiScrollBar*& slot, TsuiScrollBar* value, bool vertical);
    void DetachBar(TsuiScrollBar* bar);
    void RecomputeScrollBars();
    void UpdateBar(TsuiScrollBar& bar, bool vertical);
    void ScrollFromBar(bool vertical);
    bool RightToLeft() const;
    void DrawBorder();

    TColor borderColor_ = clBlack;
    bool mouseSelecting_ = false;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiScrollBar* vScrollBar_ = nullptr;
    TsuiScrollBar* hScrollBar_ = nullptr;
    // Keep the two directions of synchronisation from feeding each other.
    bool updatingBars_ = false;
    bool drivingText_ = false;
};
