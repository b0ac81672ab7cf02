#include "toolkit/controls/PageControl.h"

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/forms/CustomForm.h"

#include <algorithm>

// --- TTabSheet ------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
    TControl::SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    SetPageControl(nullptr);
}

const TClassInfo& TTabSheet::StaticClassInfo()
{
    static const TClassInfo info(
        "TTabSheet", &TWinControl::StaticClassInfo(), [](TComponent* owner) { return new TTabSheet(owner); },
        [](TClassInfo& c) {
            TPublisher<TTabSheet>(c)
                .Component<TPageControl>("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)
                .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                .Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                .Integer("ImageIndex", [](const TTabSheet&) { return -1; }, [](TTabSheet&, int) {})
                .Event<TNotifyEvent>("OnShow", [](TTabSheet& t, const TNotifyEvent& e) { t.OnShow = e; })
                .Event<TNotifyEvent>("OnHide", [](TTabSheet& t, const TNotifyEvent& e) { t.OnHide = e; });
        });
    return info;
}

void TTabSheet::SetParent(TWinControl* parent)
{
    auto* pages = dynamic_cast<TPageControl*>(parent);
    if (pageControl_ && pageControl_ != pages)
        pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
    if (pages && pageControl_ != pages)
        pages->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (!pageControl_)
        return;
    auto& pages = pageControl_->pages_;
    pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
    size_t index = std::clamp<size_t>(static_cast<size_t>(std::max(value, 0)), 0, pages.size());
    pages.insert(pages.begin() + static_cast<ptrdiff_t>(index), this);
    pageControl_->Invalidate();
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == tabVisible_)
        return;
    tabVisible_ = value;
    if (pageControl_) {
        pageControl_->Realign();
        pageControl_->Invalidate();
    }
}

void TTabSheet::WndProc(TMessage& message)
{
    if (message.Msg == CM_SHOWINGCHANGED) {
        TWinControl::WndProc(message);
        if (Showing()) {
            if (OnShow)
                OnShow(this);
        } else if (OnHide) {
            OnHide(this);
        }
        return;
    }
    TWinControl::WndProc(message);
}

// --- TPageControl ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    Destroying();
    // The pages go with the children; they must not call back into a page control half gone.
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

const TClassInfo& TPageControl::StaticClassInfo()
{
    static const TClassInfo info(
        "TPageControl", &TWinControl::StaticClassInfo(), [](TComponent* owner) { return new TPageControl(owner); },
        [](TClassInfo& c) {
            TPublisher<TPageControl>(c)
                .Component<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
                .Integer("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex)
                .Enum<TTabStyle>("Style", {"tsTabs", "tsButtons", "tsFlatButtons"}, &TPageControl::Style,
                                 &TPageControl::SetStyle)
                .Event<TNotifyEvent>("OnChange", [](TPageControl& p, const TNotifyEvent& e) { p.OnChange = e; });
        });
    return info;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError(index);
    return pages_[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    page->pageControl_ = this;
    page->SetBoundsRect(DisplayRect());
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    if (page == activePage_) {
        activePage_ = nullptr;
        if (!IsDestroying())
            page->SetVisible(false);
    }
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->pageControl_ = nullptr;
    Invalidate();
}

void TPageControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == activePage_)
        activePage_ = nullptr;
}

int TPageControl::ActivePageIndex() const
{
    auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

// The new page shows before the old one hides, so the focus can move onto it.
void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this)
        return;
    if (page == activePage_)
        return;
    TTabSheet* old = activePage_;
    activePage_ = page;
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->BringToFront();
        page->SetVisible(true);
    }
    if (old && old != page)
        old->SetVisible(false);
    Invalidate();
}

void TPageControl::SetStyle(TTabStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Realign();
    Invalidate();
}

int TPageControl::TabRowHeight() const
{
    bool any = std::any_of(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->TabVisible(); });
    return any ? (style_ == tsTabs ? 20 : 23) : 0;
}

TRect TPageControl::DisplayRect() const
{
    TRect rect = ClientRect();
    rect.Top += TabRowHeight();
    if (style_ == tsTabs)
        rect = rect.Inflate(-4, -4);
    if (rect.Bottom < rect.Top)
        rect.Bottom = rect.Top;
    if (rect.Right < rect.Left)
        rect.Right = rect.Left;
    return rect;
}

TRect TPageControl::TabRect(int index) const
{
    if (index < 0 || index >= PageCount() || !pages_[static_cast<size_t>(index)]->TabVisible())
        return TRect();
    TCanvas measure;
    measure.SetFont(Font());
    int x = 2;
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = pages_[static_cast<size_t>(i)];
        if (!page->TabVisible())
            continue;
        int width = measure.TextWidth(page->Caption()) + 12;
        if (i == index)
            return TRect(x, 2, x + width, TabRowHeight() - (style_ == tsTabs ? 0 : 3));
        x += width + (style_ == tsTabs ? 0 : 3);
    }
    return TRect();
}

void TPageControl::AlignControls(TRect& rect)
{
    TRect display = DisplayRect();
    for (TTabSheet* page : pages_)
        page->SetBoundsRect(display);
    TWinControl::AlignControls(rect);
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).Contains(TPoint(x, y)) && pages_[static_cast<size_t>(i)] != activePage_) {
            bool allow = true;
            if (OnChanging)
                OnChanging(this, allow);
            if (!allow)
                return;
            SetActivePageIndex(i);
            if (OnChange)
                OnChange(this);
            return;
        }
}

void TPageControl::PaintControl(TCanvas& canvas)
{
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    if (style_ == tsTabs) {
        TRect body = DisplayRect().Inflate(2, 2);
        Frame3D(canvas, body, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, body, cl3DLight, clBtnShadow, 1);
    }
    canvas.SetFont(Font());
    for (int i = 0; i < PageCount(); ++i) {
        TRect tab = TabRect(i);
        if (tab.IsEmpty())
            continue;
        bool active = pages_[static_cast<size_t>(i)] == activePage_;
        TRect edge = tab;
        if (style_ == tsTabs) {
            if (active)
                edge = edge.Inflate(2, 2);
            edge.Bottom = tab.Bottom + (active ? 1 : 0);
            Frame3D(canvas, edge, clBtnHighlight, cl3DDkShadow, 1);
        } else if (active) {
            Frame3D(canvas, edge, clBtnShadow, clBtnHighlight, 1);
        } else if (style_ == tsButtons) {
            Frame3D(canvas, edge, clBtnHighlight, clBtnShadow, 1);
        }
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        TRect text = tab;
        canvas.DrawText(pages_[static_cast<size_t>(i)]->Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    }
}
