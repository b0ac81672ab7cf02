#pragma once

#include "toolkit/controls/WinControl.h"

#include <vector>

class TPageControl;

// One page of a TPageControl. Only the active page is visible; a page whose TabVisible is off
// has no tab but can still be made active. OnShow runs whenever the page becomes visible on a
// shown form (it becomes the active page, or its form is shown), OnHide when it stops being.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* value);
    void SetParent(TWinControl* parent) override;
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void WndProc(TMessage& message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// Pages stacked on one another with a row of tabs (or buttons) to choose between them. With all
// tabs hidden the pages take the whole control (flat buttons) or sit inside its border (tabs).
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    // -1 or an index outside the pages shows none.
    void SetActivePageIndex(int index);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    // Where the pages go, in client coordinates.
    TRect DisplayRect() const;
    // The tab of a page (client coordinates); empty for a hidden tab.
    TRect TabRect(int index) const;

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    void PaintControl(TCanvas& canvas) override;
    void AlignControls(TRect& rect) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    int TabRowHeight() const;

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TTabStyle style_ = tsTabs;
};
