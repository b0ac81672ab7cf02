#include "toolkit/forms/CustomForm.h"

#include "platform/WindowHost.h"
#include "toolkit/application/Application.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/graphics/SystemColors.h"
#include "toolkit/layout/LayoutReader.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 2;

HostRect ToHost(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    TControl::SetVisible(false);
    ApplyBorderStyle();
    TControl::SetBounds(0, 0, 320, 240);
    icon_.OnChange = [this] {
        if (hostWindow_) {
            const TBitmap* icon = icon_.Graphic();
            hostWindow_->SetIcon(icon ? icon->Bits() : nullptr, icon ? icon->Width() : 0, icon ? icon->Height() : 0);
        }
        InvalidateFrame();
    };
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (OnDestroy && Application)
        Application->Guarded([&] { OnDestroy(this); });
    DestroyHandle();
    activeControl_ = nullptr;
    captureControl_ = nullptr;
    mouseControl_ = nullptr;
    lastDownControl_ = nullptr;
}

const TClassInfo& TCustomForm::StaticClassInfo()
{
    static const TClassInfo info("TCustomForm", &TWinControl::StaticClassInfo(), nullptr);
    return info;
}

void TCustomForm::LoadLayout(std::string_view text, const TResourceLocator* resources)
{
    ReadLayout(*this, text, resources);
    DoCreate();
}

void TCustomForm::DoCreate()
{
    if (!OnCreate)
        return;
    if (Application)
        Application->Guarded([&] { OnCreate(this); });
    else
        OnCreate(this);
}

// --- Window ---------------------------------------------------------------------------------

void TCustomForm::CreateParams(HostWindowParams& params)
{
    params.bounds = ToHost(BoundsRect());
    params.title = Caption();
}

void TCustomForm::HandleNeeded()
{
    if (hostWindow_ || !Application)
        return;
    HostWindowParams params;
    CreateParams(params);
    hostWindow_ = Application->Host().NewWindow(params);
    backBuffer_.SetSize(Width(), Height());
    Application->AddForm(this);
    if (const TBitmap* icon = icon_.Graphic())
        hostWindow_->SetIcon(icon->Bits(), icon->Width(), icon->Height());
    if (windowRegion_) {
        std::vector<HostRect> rects;
        for (const TRect& r : windowRegion_->Rects())
            rects.push_back(ToHost(r));
        hostWindow_->SetShape(rects);
    }
    UpdateClientRect(0);
    Realign();
    Perform(WM_CREATE);
    Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
    InvalidateWindowRect(TRect(0, 0, Width(), Height()));
}

void TCustomForm::DestroyHandle()
{
    if (!hostWindow_)
        return;
    Perform(WM_DESTROY);
    if (Application)
        Application->RemoveForm(this);
    hostWindow_.reset();
    active_ = false;
}

void TCustomForm::ApplyBorderStyle()
{
    switch (borderStyle_) {
    case bsNone:
        style_ = WS_POPUP;
        exStyle_ = 0;
        break;
    case bsSingle:
        style_ = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        exStyle_ = 0;
        break;
    case bsSizeable:
        style_ = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        exStyle_ = 0;
        break;
    case bsDialog:
        style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle_ = WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        style_ = WS_CAPTION | WS_SYSMENU;
        exStyle_ = WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style_ = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;
        exStyle_ = WS_EX_TOOLWINDOW;
        break;
    }
}

// A new border style re-creates the window's style from scratch, as the platform window would be
// re-created: the toolkit announces it with CM_RECREATEWND, whose default recomputes the frame.
void TCustomForm::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    ApplyBorderStyle();
    Perform(CM_RECREATEWND);
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (value == windowState_)
        return;
    TWindowState before = windowState_;
    if (before == wsNormal)
        normalBounds_ = BoundsRect();
    windowState_ = value;
    switch (value) {
    case wsMinimized:
        if (hostWindow_)
            hostWindow_->Minimise();
        Perform(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case wsMaximized:
        if (hostWindow_) {
            if (before == wsMinimized)
                hostWindow_->Restore();
            HostRect work = Application->Host().WorkArea(ToHost(BoundsRect()));
            SetBounds(work.left, work.top, work.right - work.left, work.bottom - work.top);
        }
        Perform(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(ClientWidth(), ClientHeight()));
        break;
    case wsNormal:
        if (hostWindow_ && before == wsMinimized)
            hostWindow_->Restore();
        if (before == wsMaximized)
            SetBoundsRect(normalBounds_);
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
        break;
    }
    InvalidateFrame();
}

void TCustomForm::SetWindowRgn(const TRegion* region, bool redraw)
{
    if (region)
        windowRegion_ = *region;
    else
        windowRegion_.reset();
    if (hostWindow_) {
        std::vector<HostRect> rects;
        if (region)
            for (const TRect& r : region->Rects())
                rects.push_back(ToHost(r));
        hostWindow_->SetShape(rects);
    }
    if (redraw)
        InvalidateFrame();
}

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    if (MinWidth > 0)
        width = std::max(width, MinWidth);
    if (MinHeight > 0)
        height = std::max(height, MinHeight);
    if (MaxWidth > 0)
        width = std::min(width, MaxWidth);
    if (MaxHeight > 0)
        height = std::min(height, MaxHeight);
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::BoundsChanged(bool resized)
{
    if (hostWindow_) {
        if (resized) {
            backBuffer_.SetSize(Width(), Height());
            invalid_ = TRect(0, 0, Width(), Height());
        }
        hostWindow_->SetBounds(ToHost(BoundsRect()));
    }
    TWinControl::BoundsChanged(resized);
}

void TCustomForm::TextChanged()
{
    if (hostWindow_)
        hostWindow_->SetTitle(Caption());
    InvalidateFrame();
}

void TCustomForm::SetVisible(bool value)
{
    if (value == Visible())
        return;
    if (value) {
        HandleNeeded();
        PlaceOnShow();
    }
    TControl::SetVisible(value);
}

void TCustomForm::PlaceOnShow()
{
    if (placed_ || !Application)
        return;
    placed_ = true;
    TRect area;
    TCustomForm* main = Application->MainForm();
    if ((position_ == poMainFormCenter || position_ == poOwnerFormCenter) && main && main != this && main->Visible()) {
        area = main->BoundsRect();
    } else if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter ||
               position_ == poOwnerFormCenter) {
        HostRect work = Application->Host().WorkArea(ToHost(BoundsRect()));
        area = TRect(work.left, work.top, work.right, work.bottom);
    } else {
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

// --- Activation, closing, modality ------------------------------------------------------------

void TCustomForm::SetActive(bool value)
{
    if (value == active_)
        return;
    if (value && Application)
        if (TCustomForm* other = Application->ActiveForm(); other && other != this)
            other->SetActive(false);
    active_ = value;
    if (value && hostWindow_)
        hostWindow_->Activate();
    Perform(WM_NCACTIVATE, value ? 1 : 0, 0);
    Perform(WM_ACTIVATE, MakeWParam(value ? WA_ACTIVE : WA_INACTIVE, 0), 0);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Hide();
}

int TCustomForm::ShowModal()
{
    if (Visible() || modal_)
        throw EInvalidOperation("不能使可见窗口成为模态");
    if (!Application)
        throw EInvalidOperation("没有应用程序对象");
    TCustomForm* previous = Application->ActiveForm();
    modal_ = true;
    modalResult_ = mrNone;
    Application->PushModal(this);
    struct Restore {
        TCustomForm* self;
        TCustomForm* previous;
        ~Restore()
        {
            Application->PopModal(self);
            self->modal_ = false;
            self->Hide();
            if (previous && Application->HasForm(previous) && previous->Visible())
                previous->SetActive(true);
        }
    } restore{this, previous};
    Show();
    while (!Application->Terminated()) {
        Application->HandleMessage();
        if (modalResult_ != mrNone) {
            TCloseAction action = caHide;
            DoClose(action);
            if (action != caNone)
                break;
            modalResult_ = mrNone;
        }
    }
    return modalResult_;
}

// --- Focus ----------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    if (control && (!ContainsControl(control) || control == this))
        throw EInvalidOperation("无法聚焦禁用或不可见的窗口");
    if (IsLoading() || !Showing() || !control) {
        activeControl_ = control;
        return;
    }
    control->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    TWinControl* old = activeControl_;
    if (old) {
        old->Perform(WM_KILLFOCUS, 0, 0);
        old->Perform(CM_EXIT);
    }
    activeControl_ = control;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<TLParam>(control));
    if (control && activeControl_ == control) {
        control->Perform(CM_ENTER);
        control->Perform(WM_SETFOCUS, 0, 0);
    }
}

void TCustomForm::DefocusControl(TWinControl* control)
{
    if (!activeControl_ || !control->ContainsControl(activeControl_))
        return;
    TWinControl* old = activeControl_;
    activeControl_ = nullptr;
    old->Perform(WM_KILLFOCUS, 0, 0);
    old->Perform(CM_EXIT);
    Perform(CM_FOCUSCHANGED, 0, 0);
}

void TCustomForm::SendCancelMode(TControl* sender)
{
    if (active_ && activeControl_)
        activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<TLParam>(sender));
}

void TCustomForm::SetCaptureControl(TControl* control)
{
    captureControl_ = control;
    if (hostWindow_)
        hostWindow_->SetMouseCapture(control != nullptr);
}

static bool Contains(const TControl* outer, const TControl* inner)
{
    for (const TControl* c = inner; c; c = c->Parent())
        if (c == outer)
            return true;
    return false;
}

void TCustomForm::ControlRemoved(TControl* control)
{
    if (Contains(control, activeControl_))
        activeControl_ = nullptr;
    if (Contains(control, captureControl_))
        SetCaptureControl(nullptr);
    if (Contains(control, mouseControl_))
        mouseControl_ = nullptr;
    if (Contains(control, lastDownControl_))
        lastDownControl_ = nullptr;
}

// --- Painting -------------------------------------------------------------------------------

void TCustomForm::InvalidateWindowRect(const TRect& rect)
{
    if (!hostWindow_)
        return;
    invalid_ = invalid_.Union(rect.Intersect(TRect(0, 0, Width(), Height())));
}

void TCustomForm::InvalidateFrame() { InvalidateWindowRect(TRect(0, 0, Width(), Height())); }

void TCustomForm::Invalidate() { InvalidateFrame(); }

void TCustomForm::Repaint()
{
    invalid_ = TRect();
    PaintWindowRect(TRect(0, 0, Width(), Height()));
}

void TCustomForm::PaintInvalid()
{
    if (!hostWindow_ || invalid_.IsEmpty() || !Visible())
        return;
    TRect rect = invalid_;
    invalid_ = TRect();
    PaintWindowRect(rect);
}

void TCustomForm::PaintWindowRect(const TRect& rect)
{
    if (!hostWindow_ || !Visible() || windowState_ == wsMinimized)
        return;
    TRect area = rect.Intersect(TRect(0, 0, Width(), Height()));
    if (area.IsEmpty())
        return;
    if (!clientRect_.Contains(area))
        Perform(WM_NCPAINT, 1, 0);
    TCanvas canvas(backBuffer_);
    canvas.IntersectClip(area);
    canvas.Translate(clientRect_.Left, clientRect_.Top);
    canvas.IntersectClip(ClientRect());
    if (!canvas.ClipRect().IsEmpty())
        PaintClient(canvas, true);
    MarkPresent(area);
    Present();
}

void TCustomForm::PaintControlNow(TWinControl* control)
{
    if (!hostWindow_ || !Visible() || windowState_ == wsMinimized || !control->Showing())
        return;
    if (control == this) {
        Repaint();
        return;
    }
    TRect visible = control->VisibleWindowRect();
    if (visible.IsEmpty())
        return;
    TCanvas canvas(backBuffer_);
    TPoint origin = control->Parent()->ClientToWindow(TPoint(control->Left(), control->Top()));
    canvas.SetOrigin(origin);
    canvas.IntersectClip(visible.Offset(-origin.X, -origin.Y));
    control->PaintTree(canvas);
    // Windowed siblings stacked above it cover part of what was just painted.
    for (TControl* below = control; below->Parent() && below != this; below = below->Parent()) {
        TWinControl* parent = below->Parent();
        bool above = false;
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* sibling = parent->Controls(i);
            if (sibling == below) {
                above = true;
                continue;
            }
            auto* windowed = dynamic_cast<TWinControl*>(sibling);
            if (!above || !windowed || !windowed->Visible())
                continue;
            TRect overlap = windowed->VisibleWindowRect().Intersect(visible);
            if (overlap.IsEmpty())
                continue;
            TCanvas over(backBuffer_);
            TPoint o = parent->ClientToWindow(TPoint(windowed->Left(), windowed->Top()));
            over.SetOrigin(o);
            over.IntersectClip(overlap.Offset(-o.X, -o.Y));
            windowed->PaintTree(over);
        }
    }
    MarkPresent(visible);
    Present();
}

void TCustomForm::MarkPresent(const TRect& rect) { presentDirty_ = presentDirty_.Union(rect.Intersect(TRect(0, 0, Width(), Height()))); }

void TCustomForm::Present()
{
    if (!hostWindow_ || presentDirty_.IsEmpty())
        return;
    TRect dirty = presentDirty_;
    presentDirty_ = TRect();
    if (backBuffer_.Width() != Width() || backBuffer_.Height() != Height())
        return;
    hostWindow_->Present(backBuffer_.Bits(), backBuffer_.Width(), backBuffer_.Height(), ToHost(dirty));
}

void TCustomForm::PaintControl(TCanvas& canvas)
{
    if (!OnPaint)
        return;
    canvas_.SetTarget(canvas.Target());
    canvas_.SetOrigin(canvas.Origin());
    canvas_.IntersectClip(canvas.ClipRect());
    OnPaint(this);
    canvas_.SetTarget(nullptr);
}

// --- Frame ----------------------------------------------------------------------------------

int TCustomForm::FrameWidth() const
{
    if (style_ & WS_THICKFRAME)
        return 4;
    if ((exStyle_ & WS_EX_DLGMODALFRAME) || (style_ & WS_DLGFRAME))
        return 3;
    if (style_ & WS_BORDER)
        return 1;
    return 0;
}

int TCustomForm::CaptionHeight() const
{
    if ((style_ & WS_CAPTION) != WS_CAPTION)
        return 0;
    return (exStyle_ & WS_EX_TOOLWINDOW) ? 16 : 19;
}

TRect TCustomForm::DefaultClientRect(const TRect& window) const
{
    int frame = FrameWidth();
    TRect r = window.Inflate(-frame, -frame);
    r.Top += CaptionHeight();
    return r;
}

TRect TCustomForm::CloseButtonRect() const
{
    if (!(style_ & WS_SYSMENU) || CaptionHeight() == 0)
        return TRect();
    int frame = FrameWidth();
    int size = CaptionHeight() - 5;
    return Bounds(Width() - frame - 2 - (size + 2), frame + 2, size + 2, size);
}

static void DrawRaisedEdge(TCanvas& canvas, const TRect& r, TColor outerLight, TColor innerLight, TColor innerDark,
                           TColor outerDark)
{
    auto line = [&](int l, int t, int rr, int b, TColor c) {
        canvas.Brush().SetColor(c);
        canvas.FillRect(TRect(l, t, rr, b));
    };
    line(r.Left, r.Top, r.Right - 1, r.Top + 1, outerLight);
    line(r.Left, r.Top, r.Left + 1, r.Bottom - 1, outerLight);
    line(r.Left + 1, r.Top + 1, r.Right - 2, r.Top + 2, innerLight);
    line(r.Left + 1, r.Top + 1, r.Left + 2, r.Bottom - 2, innerLight);
    line(r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom - 1, innerDark);
    line(r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 1, innerDark);
    line(r.Right - 1, r.Top, r.Right, r.Bottom, outerDark);
    line(r.Left, r.Bottom - 1, r.Right, r.Bottom, outerDark);
}

// The classic frame: a raised double edge, button-face filling up to the client area, and a
// gradient caption with the title in bold and a close button.
void TCustomForm::PaintFrame(TCanvas& canvas)
{
    int w = Width(), h = Height();
    TRect client = clientRect_;
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(TRect(0, 0, w, client.Top));
    canvas.FillRect(TRect(0, client.Bottom, w, h));
    canvas.FillRect(TRect(0, client.Top, client.Left, client.Bottom));
    canvas.FillRect(TRect(client.Right, client.Top, w, client.Bottom));
    int frame = FrameWidth();
    if (frame >= 3)
        DrawRaisedEdge(canvas, TRect(0, 0, w, h), cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow);
    else if (frame == 1) {
        canvas.Brush().SetColor(clWindowFrame);
        canvas.FrameRect(TRect(0, 0, w, h));
    }
    if (CaptionHeight() > 0)
        DrawCaption(canvas);
}

void TCustomForm::DrawCaption(TCanvas& canvas)
{
    int frame = FrameWidth();
    TRect bar(frame, frame, Width() - frame, frame + CaptionHeight() - 1);
    TColor from = ColorToRGB(frameActive_ ? clActiveCaption : clInactiveCaption);
    TColor to = ColorToRGB(frameActive_ ? clGradientActiveCaption : clGradientInactiveCaption);
    int span = std::max(bar.Width() - 1, 1);
    for (int x = bar.Left; x < bar.Right; ++x) {
        auto mix = [&](int shift) {
            int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
            return a + (b - a) * (x - bar.Left) / span;
        };
        canvas.Brush().SetColor(RGB(uint8_t(mix(0)), uint8_t(mix(8)), uint8_t(mix(16))));
        canvas.FillRect(TRect(x, bar.Top, x + 1, bar.Bottom));
    }
    int textLeft = bar.Left + 2;
    const TBitmap* icon = icon_.Graphic();
    if (icon && !icon->Empty() && !(exStyle_ & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW))) {
        canvas.StretchDraw(Bounds(bar.Left + 1, bar.Top + (bar.Height() - 16) / 2, 16, 16), *icon);
        textLeft += 18;
    }
    TRect close = CloseButtonRect();
    canvas.SetFont(Font());
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(frameActive_ ? clCaptionText : clInactiveCaptionText);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TRect text(textLeft, bar.Top, close.IsEmpty() ? bar.Right - 2 : close.Left - 2, bar.Bottom);
    canvas.DrawText(Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (close.IsEmpty())
        return;
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(close);
    if (closeButtonDown_)
        DrawRaisedEdge(canvas, close, cl3DDkShadow, clBtnShadow, cl3DLight, clBtnHighlight);
    else
        DrawRaisedEdge(canvas, close, clBtnHighlight, cl3DLight, clBtnShadow, cl3DDkShadow);
    // The cross: two strokes two pixels wide.
    int cx = close.Left + (close.Width() - 8) / 2 + (closeButtonDown_ ? 1 : 0);
    int cy = close.Top + (close.Height() - 7) / 2 + (closeButtonDown_ ? 1 : 0);
    canvas.Brush().SetColor(clBtnText);
    for (int i = 0; i < 7; ++i) {
        canvas.FillRect(TRect(cx + i, cy + i, cx + i + 2, cy + i + 1));
        canvas.FillRect(TRect(cx + 6 - i, cy + i, cx + 8 - i, cy + i + 1));
    }
}

int TCustomForm::HitTestDefault(TPoint p) const
{
    if (!TRect(0, 0, Width(), Height()).Contains(p))
        return HTNOWHERE;
    if (windowRegion_ && !windowRegion_->Contains(p))
        return HTNOWHERE;
    if (clientRect_.Contains(p))
        return HTCLIENT;
    int frame = FrameWidth();
    if ((style_ & WS_THICKFRAME) && windowState_ != wsMaximized) {
        bool left = p.X < frame, right = p.X >= Width() - frame, top = p.Y < frame, bottom = p.Y >= Height() - frame;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    int caption = CaptionHeight();
    if (caption > 0 && p.Y >= frame && p.Y < frame + caption) {
        if (CloseButtonRect().Contains(p))
            return HTCLOSE;
        return HTCAPTION;
    }
    return HTBORDER;
}

// --- Messages -------------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_SHOWINGCHANGED:
        if (Showing()) {
            Application->Guarded([&] { DoShow(); });
            Perform(WM_SHOWWINDOW, 1, 0);
            hostWindow_->Show();
            InvalidateFrame();
            SetActive(true);
        } else if (hostWindow_) {
            Perform(WM_SHOWWINDOW, 0, 0);
            hostWindow_->Hide();
            SetActive(false);
            SetCaptureControl(nullptr);
            mouseControl_ = nullptr;
            Application->Guarded([&] { DoHide(); });
        }
        return;
    case WM_ACTIVATE:
        if (LoWord(message.WParam) != WA_INACTIVE) {
            if (OnActivate)
                OnActivate(this);
            if (!activeControl_)
                SelectFirst();
            else
                activeControl_->Invalidate();
        } else {
            if (OnDeactivate)
                OnDeactivate(this);
            if (activeControl_)
                activeControl_->Invalidate();
        }
        return;
    case CM_DIALOGKEY:
        HandleDialogKey(message);
        return;
    case CM_RECREATEWND:
        SetWindowPos(0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    case WM_CLOSE:
        Close();
        return;
    default:
        TWinControl::WndProc(message);
    }
}

void TCustomForm::HandleDialogKey(TMessage& message)
{
    TShiftState shift = KeyDataToShiftState(message.LParam);
    if (!(shift & ssAlt)) {
        switch (message.WParam) {
        case VK_TAB:
            if (!(shift & ssCtrl)) {
                SelectNext(activeControl_, !(shift & ssShift), true);
                message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (activeControl_ && activeControl_->Parent()) {
                activeControl_->Parent()->SelectNext(activeControl_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN,
                                                     false);
                message.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
    }
    Broadcast(message);
}

void TCustomForm::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCACTIVATE:
        frameActive_ = message.WParam != 0;
        if (hostWindow_ && Visible())
            PaintFrame(WindowCanvas());
        message.Result = 1;
        return;
    case WM_NCHITTEST:
        message.Result = HitTestDefault(TPoint(XFromLParam(message.LParam) - Left(), YFromLParam(message.LParam) - Top()));
        return;
    case WM_NCLBUTTONDOWN:
        if (message.WParam == HTCAPTION && windowState_ != wsMaximized && hostWindow_)
            hostWindow_->BeginSystemMove();
        else if (message.WParam == HTCLOSE) {
            closeButtonDown_ = true;
            InvalidateFrame();
        }
        return;
    case WM_NCLBUTTONUP:
        if (closeButtonDown_) {
            closeButtonDown_ = false;
            InvalidateFrame();
            if (message.WParam == HTCLOSE)
                Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return;
    case WM_SYSCOMMAND:
        switch (message.WParam & 0xFFF0) {
        case SC_CLOSE:
            Perform(WM_CLOSE);
            break;
        case SC_MINIMIZE:
            SetWindowState(wsMinimized);
            break;
        case SC_MAXIMIZE:
            SetWindowState(wsMaximized);
            break;
        case SC_RESTORE:
            SetWindowState(wsNormal);
            break;
        case SC_MOVE:
            if (hostWindow_)
                hostWindow_->BeginSystemMove();
            break;
        default:
            break;
        }
        return;
    default:
        TWinControl::DefaultHandler(message);
    }
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

// --- Input ----------------------------------------------------------------------------------

void TCustomForm::DispatchEvent(const HostEvent& event)
{
    switch (event.type) {
    case HostEventType::MouseMove:
    case HostEventType::MouseDown:
    case HostEventType::MouseUp:
    case HostEventType::MouseWheel:
        DispatchMouse(event);
        break;
    case HostEventType::KeyDown:
    case HostEventType::KeyUp:
    case HostEventType::Char:
        DispatchKey(event);
        break;
    case HostEventType::Activate:
        SetActive(true);
        break;
    case HostEventType::Deactivate:
        SetActive(false);
        break;
    case HostEventType::Close:
        Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case HostEventType::Minimise:
        Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case HostEventType::Restore:
        Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case HostEventType::Moved:
        TControl::SetBounds(event.x, event.y, Width(), Height());
        break;
    case HostEventType::Answer:
        break;
    }
}

void TCustomForm::TrackMouse(TControl* hover)
{
    if (hover == mouseControl_)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = hover;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (hover && mouseControl_ == hover)
        hover->Perform(CM_MOUSEENTER, 0, 0);
}

void TCustomForm::DispatchMouse(const HostEvent& event)
{
    TPoint p(event.x, event.y);
    TLParam screen = MakeLParam(Left() + event.x, Top() + event.y);
    TWParam keys = 0;
    if (event.shift & hsShift)
        keys |= MK_SHIFT;
    if (event.shift & hsCtrl)
        keys |= MK_CONTROL;
    if (event.shift & hsLeftButton)
        keys |= MK_LBUTTON;
    if (event.shift & hsRightButton)
        keys |= MK_RBUTTON;
    if (event.type == HostEventType::MouseWheel) {
        TWinControl* target = activeControl_ ? activeControl_ : this;
        target->Perform(WM_MOUSEWHEEL, MakeWParam(static_cast<int>(keys), event.wheelDelta), screen);
        return;
    }
    bool inClient = clientRect_.Contains(p) && (!windowRegion_ || windowRegion_->Contains(p));
    TControl* hover = inClient ? ControlAtPos(p - clientRect_.TopLeft()) : nullptr;
    TrackMouse(hover);
    TControl* target = captureControl_;
    if (!target) {
        auto hit = static_cast<int>(Perform(WM_NCHITTEST, 0, screen));
        if (hit != HTCLIENT) {
            bool left = event.button == HostButton::Left;
            if (event.type == HostEventType::MouseMove)
                Perform(WM_NCMOUSEMOVE, static_cast<TWParam>(hit), screen);
            else if (event.type == HostEventType::MouseDown && left)
                Perform(WM_NCLBUTTONDOWN, static_cast<TWParam>(hit), screen);
            else if (event.type == HostEventType::MouseUp && left)
                Perform(WM_NCLBUTTONUP, static_cast<TWParam>(hit), screen);
            return;
        }
        target = hover ? hover : this;
    }
    TPoint local = target->WindowToClient(p);
    TLParam position = MakeLParam(local.X, local.Y);
    bool left = event.button == HostButton::Left;
    switch (event.type) {
    case HostEventType::MouseMove:
        target->Perform(WM_MOUSEMOVE, keys, position);
        break;
    case HostEventType::MouseDown: {
        if (!left) {
            target->Perform(WM_RBUTTONDOWN, keys | MK_RBUTTON, position);
            break;
        }
        uint64_t now = Application ? Application->Now() : 0;
        bool dbl = target == lastDownControl_ && now - lastDownTime_ <= kDoubleClickMs &&
                   std::abs(p.X - lastDownPoint_.X) <= kDoubleClickDistance &&
                   std::abs(p.Y - lastDownPoint_.Y) <= kDoubleClickDistance;
        lastDownControl_ = dbl ? nullptr : target;
        lastDownTime_ = now;
        lastDownPoint_ = p;
        target->Perform(dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, keys | MK_LBUTTON, position);
        break;
    }
    case HostEventType::MouseUp:
        target->Perform(left ? WM_LBUTTONUP : WM_RBUTTONUP, keys, position);
        break;
    default:
        break;
    }
}

void TCustomForm::DispatchKey(const HostEvent& event)
{
    TWinControl* target = activeControl_ ? activeControl_ : this;
    bool alt = (event.shift & hsAlt) != 0;
    TLParam keyData = alt ? KF_ALTDOWN_LPARAM : 0;
    switch (event.type) {
    case HostEventType::KeyDown:
        target->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<TWParam>(event.key), keyData);
        break;
    case HostEventType::KeyUp:
        target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<TWParam>(event.key), keyData);
        break;
    default:
        target->Perform(alt ? WM_SYSCHAR : WM_CHAR, static_cast<TWParam>(event.character), keyData);
        break;
    }
}
