#include "toolkit/controls/WinControl.h"

#include "toolkit/application/Application.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/forms/CustomForm.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    Destroying();
    // Children go first, while this object is still whole; whoever owns them is told.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
}

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo info("TWinControl", &TControl::StaticClassInfo(), nullptr, [](TClassInfo& c) {
        TPublisher<TWinControl>(c)
            .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Integer("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth)
            .Boolean("Ctl3D", [](const TWinControl&) { return true; }, [](TWinControl&, bool) {})
            .Boolean("ParentCtl3D", [](const TWinControl&) { return true; }, [](TWinControl&, bool) {})
            .Event<TNotifyEvent>("OnEnter", [](TWinControl& self, const TNotifyEvent& e) { self.OnEnter = e; })
            .Event<TNotifyEvent>("OnExit", [](TWinControl& self, const TNotifyEvent& e) { self.OnExit = e; })
            .Event<TKeyEvent>("OnKeyDown", [](TWinControl& self, const TKeyEvent& e) { self.OnKeyDown = e; })
            .Event<TKeyEvent>("OnKeyUp", [](TWinControl& self, const TKeyEvent& e) { self.OnKeyUp = e; })
            .Event<TKeyPressEvent>("OnKeyPress", [](TWinControl& self, const TKeyPressEvent& e) { self.OnKeyPress = e; });
    });
    return info;
}

const TClassInfo& TCustomControl::StaticClassInfo()
{
    static const TClassInfo info("TCustomControl", &TWinControl::StaticClassInfo(), nullptr);
    return info;
}

// --- Children -------------------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError(index);
    return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control->parent_ == this)
        return;
    for (const TWinControl* p = this; p; p = p->Parent())
        if (p == control)
            throw EInvalidOperation("控件不能成为自身的父控件");
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(windowed);
        windowed->UpdateClientRect(0);
    }
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (control->Align() != alNone)
        Realign();
    control->Invalidate();
    if (control->Showing())
        control->Perform(CM_SHOWINGCHANGED);
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    control->Invalidate();
    if (TCustomForm* form = ParentForm())
        form->ControlRemoved(control);
    controls_.erase(it);
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    if (control->Align() != alNone && !IsDestroying())
        Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p)
{
    // Windowed children lie above the windowless ones; within each kind, later is higher.
    for (int pass = 0; pass < 2; ++pass)
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            TControl* child = *it;
            if (child->IsWindowed() != (pass == 0) || !child->Visible() || !child->Enabled())
                continue;
            if (!child->BoundsRect().Contains(p))
                continue;
            TPoint local = p - child->BoundsRect().TopLeft() - child->ClientOffset();
            if (TRect(0, 0, child->ClientWidth(), child->ClientHeight()).Contains(local))
                return child->ControlAtPos(local);
            return child;
        }
    return this;
}

void TWinControl::Broadcast(TMessage& message)
{
    std::vector<TControl*> snapshot = controls_;
    for (TControl* child : snapshot) {
        if (std::find(controls_.begin(), controls_.end(), child) == controls_.end())
            continue;
        child->WindowProc(message);
        if (message.Result != 0)
            return;
    }
}

// --- Frame ----------------------------------------------------------------------------------

TRect TWinControl::ClientRect() const { return TRect(0, 0, clientRect_.Width(), clientRect_.Height()); }

void TWinControl::SetClientSize(int width, int height)
{
    SetBounds(Left(), Top(), Width() + width - clientRect_.Width(), Height() + height - clientRect_.Height());
}

void TWinControl::SetBorderWidth(int value)
{
    value = std::max(value, 0);
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    SetWindowPos(0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

uint32_t TWinControl::WindowLong(int index) const { return index == GWL_EXSTYLE ? exStyle_ : style_; }

void TWinControl::SetWindowLong(int index, uint32_t value)
{
    if (index == GWL_EXSTYLE)
        exStyle_ = value;
    else if (index == GWL_STYLE)
        style_ = value;
}

void TWinControl::SetWindowPos(int x, int y, int cx, int cy, uint32_t flags)
{
    int left = (flags & SWP_NOMOVE) ? Left() : x;
    int top = (flags & SWP_NOMOVE) ? Top() : y;
    int width = (flags & SWP_NOSIZE) ? Width() : cx;
    int height = (flags & SWP_NOSIZE) ? Height() : cy;
    if (left != Left() || top != Top() || width != Width() || height != Height()) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    if (flags & SWP_FRAMECHANGED) {
        TRect before = clientRect_;
        UpdateClientRect(flags);
        if (clientRect_.Size() != before.Size()) {
            Realign();
            Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(clientRect_.Width(), clientRect_.Height()));
        }
        if (!(flags & SWP_NOREDRAW))
            Invalidate();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::BoundsChanged(bool resized)
{
    TRect before = clientRect_;
    if (resized)
        UpdateClientRect(0);
    int dw = clientRect_.Width() - before.Width();
    int dh = clientRect_.Height() - before.Height();
    if ((dw || dh) && !IsLoading()) {
        // Anchored children keep their distance to the edges they are anchored to.
        for (TControl* child : std::vector<TControl*>(controls_)) {
            if (child->Align() != alNone)
                continue;
            TAnchors a = child->Anchors();
            int l = child->Left(), t = child->Top(), w = child->Width(), h = child->Height();
            if (a & akRight) {
                if (a & akLeft)
                    w += dw;
                else
                    l += dw;
            } else if (!(a & akLeft)) {
                l += dw / 2;
            }
            if (a & akBottom) {
                if (a & akTop)
                    h += dh;
                else
                    t += dh;
            } else if (!(a & akTop)) {
                t += dh / 2;
            }
            child->SetBounds(l, t, w, h);
        }
    }
    if (clientRect_.Size() != before.Size()) {
        Realign();
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(clientRect_.Width(), clientRect_.Height()));
    }
    if (!resized)
        Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
}

void TWinControl::UpdateClientRect(uint32_t flags)
{
    TWindowPos pos{Left(), Top(), Width(), Height(), flags};
    TNCCalcSizeParams params;
    params.rgrc[0] = Bounds(Left(), Top(), Width(), Height());
    params.rgrc[1] = params.rgrc[0];
    params.rgrc[2] = clientRect_.Offset(Left(), Top());
    params.lppos = &pos;
    Perform(WM_NCCALCSIZE, 1, reinterpret_cast<TLParam>(&params));
    TRect client = params.rgrc[0].Offset(-Left(), -Top());
    // A hook may hand back nonsense; keep the client area inside something sane.
    if (client.Right < client.Left)
        client.Right = client.Left;
    if (client.Bottom < client.Top)
        client.Bottom = client.Top;
    clientRect_ = client;
}

TRect TWinControl::DefaultClientRect(const TRect& window) const
{
    TRect r = window;
    if (style_ & WS_BORDER)
        r = r.Inflate(-1, -1);
    if (exStyle_ & WS_EX_CLIENTEDGE)
        r = r.Inflate(-2, -2);
    r = r.Inflate(-borderWidth_, -borderWidth_);
    if (style_ & WS_VSCROLL)
        r.Right -= 16;
    if (style_ & WS_HSCROLL)
        r.Bottom -= 16;
    return r;
}

// --- Alignment ------------------------------------------------------------------------------

void TWinControl::Realign()
{
    if (aligning_ || IsLoading() || IsDestroying())
        return;
    ++aligning_;
    TRect rect = ClientRect();
    AlignControls(rect);
    --aligning_;
}

void TWinControl::AlignControls(TRect& rect)
{
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
        for (TControl* child : std::vector<TControl*>(controls_))
            if (child->Visible() && child->Align() == align)
                AlignOne(child, rect);
}

void TWinControl::AlignOne(TControl* c, TRect& rect)
{
    switch (c->Align()) {
    case alTop:
        c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
        rect.Top += c->Height();
        break;
    case alBottom:
        c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
        rect.Bottom -= c->Height();
        break;
    case alLeft:
        c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
        rect.Left += c->Width();
        break;
    case alRight:
        c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
        rect.Right -= c->Width();
        break;
    case alClient:
        c->SetBounds(rect.Left, rect.Top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
        break;
    default:
        break;
    }
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabList();
    UpdateClientRect(0);
    Realign();
}

// --- Focus and tab order ----------------------------------------------------------------------

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    wantedTabOrder_ = value;
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t index = value < 0 ? list.size() : std::min(static_cast<size_t>(value), list.size());
    list.insert(list.begin() + static_cast<ptrdiff_t>(index), this);
}

// Tab orders stored in a layout were set before all siblings existed: place each control at the
// order it asked for, the others keep their relative order in the remaining places.
void TWinControl::FixupTabList()
{
    size_t n = tabList_.size();
    std::vector<TWinControl*> placed(n, nullptr);
    std::vector<TWinControl*> rest;
    for (TWinControl* c : tabList_) {
        int wanted = c->wantedTabOrder_;
        if (wanted >= 0 && static_cast<size_t>(wanted) < n && !placed[static_cast<size_t>(wanted)])
            placed[static_cast<size_t>(wanted)] = c;
        else
            rest.push_back(c);
    }
    size_t next = 0;
    for (TWinControl*& slot : placed)
        if (!slot)
            slot = rest[next++];
    tabList_ = placed;
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = ParentForm();
    if (!form)
        return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return form->HandleAllocated();
}

bool TWinControl::Focused() const
{
    TCustomForm* form = ParentForm();
    return form && form->Active() && form->ActiveControl() == this;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = ParentForm();
    if (!form || !CanFocus())
        throw EInvalidOperation("无法聚焦禁用或不可见的窗口");
    form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    auto found = std::find(list.begin(), list.end(), current);
    size_t count = list.size();
    size_t start = found != list.end() ? static_cast<size_t>(found - list.begin()) : (forward ? count - 1 : 0);
    size_t i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[i];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::SelectFirst()
{
    if (TWinControl* first = FindNextControl(nullptr, true, true, false))
        first->SetFocus();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// --- Keyboard -------------------------------------------------------------------------------

void TWinControl::KeyDown(uint16_t& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

// A key down for the focused control: the form's preview, OnKeyDown, then the dialog keys
// (Tab, arrows, Enter, Esc) that the control does not claim go to the form. Result 1 means
// somebody took the key; the control's own key handling runs only on Result 0.
void TWinControl::HandleKey(TMessage& message)
{
    uint16_t key = static_cast<uint16_t>(message.WParam);
    TShiftState shift = KeyDataToShiftState(message.LParam);
    TCustomForm* form = ParentForm();
    bool up = message.Msg == WM_KEYUP || message.Msg == WM_SYSKEYUP;
    if (form && form != this && form->KeyPreview()) {
        if (up)
            form->KeyUp(key, shift);
        else
            form->KeyDown(key, shift);
        if (key == 0) {
            message.Result = 1;
            return;
        }
    }
    if (up)
        KeyUp(key, shift);
    else
        KeyDown(key, shift);
    if (key == 0) {
        message.Result = 1;
        return;
    }
    message.WParam = key;
    if (up || !form)
        return;
    int mask = 0;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, key, message.LParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0 &&
        form->Perform(CM_DIALOGKEY, key, message.LParam) != 0)
        message.Result = 1;
}

void TWinControl::HandleChar(TMessage& message)
{
    char32_t key = static_cast<char32_t>(message.WParam);
    TCustomForm* form = ParentForm();
    if (message.Msg == WM_CHAR) {
        if (form && form != this && form->KeyPreview()) {
            form->KeyPress(key);
            if (key == 0) {
                message.Result = 1;
                return;
            }
        }
        KeyPress(key);
        if (key == 0) {
            message.Result = 1;
            return;
        }
        message.WParam = key;
        if (form && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 &&
            form->Perform(CM_DIALOGCHAR, key, message.LParam) != 0)
            message.Result = 1;
        return;
    }
    // WM_SYSCHAR: Alt and a character, a mnemonic for whoever claims it.
    if (form && form->Perform(CM_DIALOGCHAR, key, message.LParam | KF_ALTDOWN_LPARAM) != 0)
        message.Result = 1;
}

// --- Messages -------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        HandleKey(message);
        return;
    case WM_CHAR:
    case WM_SYSCHAR:
        HandleChar(message);
        return;
    case WM_PAINT:
        if (message.WParam)
            PaintClient(*reinterpret_cast<TCanvas*>(message.WParam), false);
        else
            Repaint();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_FOCUSCHANGED:
        Broadcast(message);
        message.Result = 0;
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(message);
        return;
    case CM_FONTCHANGED: {
        TControl::WndProc(message);
        TMessage notice{CM_PARENTFONTCHANGED, 0, 0, 0};
        for (TControl* child : std::vector<TControl*>(controls_))
            child->WindowProc(notice);
        return;
    }
    case CM_COLORCHANGED: {
        TControl::WndProc(message);
        TMessage notice{CM_PARENTCOLORCHANGED, 0, 0, 0};
        for (TControl* child : std::vector<TControl*>(controls_))
            child->WindowProc(notice);
        return;
    }
    case CM_SHOWINGCHANGED:
    case CM_ENABLEDCHANGED:
        if (TCustomForm* form = ParentForm(); form && form != this && (!Showing() || !Enabled()))
            form->DefocusControl(this);
        TControl::WndProc(message);
        return;
    default:
        TControl::WndProc(message);
    }
}

void TWinControl::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        if (message.WParam) {
            auto* params = reinterpret_cast<TNCCalcSizeParams*>(message.LParam);
            params->rgrc[0] = DefaultClientRect(params->rgrc[0]);
        } else {
            auto* rect = reinterpret_cast<TRect*>(message.LParam);
            *rect = DefaultClientRect(*rect);
        }
        message.Result = 0;
        return;
    case WM_NCPAINT:
        PaintFrame(WindowCanvas());
        return;
    case WM_ERASEBKGND:
        if (message.WParam) {
            auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
            canvas->Brush().SetColor(Color());
            canvas->FillRect(ClientRect());
        }
        message.Result = 1;
        return;
    case WM_NCHITTEST:
        message.Result = HTCLIENT;
        return;
    default:
        TControl::DefaultHandler(message);
    }
}

// --- Painting -------------------------------------------------------------------------------

void TWinControl::PaintFrame(TCanvas& canvas)
{
    if (style_ & WS_BORDER) {
        canvas.Brush().SetColor(clWindowFrame);
        canvas.FrameRect(TRect(0, 0, Width(), Height()));
    }
    (void)canvas;
}

void TWinControl::Invalidate() { TControl::Invalidate(); }

void TWinControl::Repaint()
{
    if (TCustomForm* form = ParentForm(); form && Showing())
        form->PaintControlNow(this);
}

void TWinControl::PaintTree(TCanvas& canvas)
{
    if (clientRect_ != TRect(0, 0, Width(), Height()))
        Perform(WM_NCPAINT, 1, 0);
    canvas.Save();
    canvas.Translate(clientRect_.Left, clientRect_.Top);
    canvas.IntersectClip(ClientRect());
    PaintClient(canvas, true);
    canvas.Restore();
}

void TWinControl::PaintClient(TCanvas& canvas, bool withWindowedChildren)
{
    if (withWindowedChildren) {
        Perform(WM_ERASEBKGND, reinterpret_cast<TWParam>(&canvas), 0);
        Perform(WM_PAINT, reinterpret_cast<TWParam>(&canvas), 0);
        for (TControl* child : std::vector<TControl*>(controls_)) {
            auto* windowed = dynamic_cast<TWinControl*>(child);
            if (!windowed || !windowed->Visible())
                continue;
            canvas.Save();
            canvas.Translate(windowed->Left(), windowed->Top());
            canvas.IntersectClip(TRect(0, 0, windowed->Width(), windowed->Height()));
            if (!canvas.ClipRect().IsEmpty())
                windowed->PaintTree(canvas);
            canvas.Restore();
        }
        return;
    }
    // WM_PAINT's own part: the control, then its windowless children in order.
    PaintControl(canvas);
    for (TControl* child : std::vector<TControl*>(controls_)) {
        if (child->IsWindowed() || !child->Visible())
            continue;
        canvas.Save();
        canvas.Translate(child->Left(), child->Top());
        canvas.IntersectClip(TRect(0, 0, child->Width(), child->Height()));
        if (!canvas.ClipRect().IsEmpty())
            child->Perform(WM_PAINT, reinterpret_cast<TWParam>(&canvas), 0);
        canvas.Restore();
    }
}

TCanvas& TWinControl::WindowCanvas()
{
    TCustomForm* form = ParentForm();
    if (!form || !form->HandleAllocated()) {
        windowCanvas_.SetTarget(nullptr);
        return windowCanvas_;
    }
    windowCanvas_.SetTarget(&form->BackBuffer());
    TPoint origin = Parent() ? Parent()->ClientToWindow(TPoint(Left(), Top())) : TPoint(0, 0);
    windowCanvas_.SetOrigin(origin);
    TRect visible = Showing() || !Parent() ? VisibleWindowRect() : TRect();
    windowCanvas_.IntersectClip(visible.Offset(-origin.X, -origin.Y));
    form->MarkPresent(visible);
    return windowCanvas_;
}

TCanvas& TWinControl::ClientCanvas()
{
    TCustomForm* form = ParentForm();
    if (!form || !form->HandleAllocated()) {
        clientCanvas_.SetTarget(nullptr);
        return clientCanvas_;
    }
    clientCanvas_.SetTarget(&form->BackBuffer());
    TPoint origin = ClientToWindow(TPoint(0, 0));
    clientCanvas_.SetOrigin(origin);
    TRect visible = Showing() || !Parent() ? VisibleWindowRect() : TRect();
    visible = visible.Intersect(Bounds(origin.X, origin.Y, ClientWidth(), ClientHeight()));
    clientCanvas_.IntersectClip(visible.Offset(-origin.X, -origin.Y));
    form->MarkPresent(visible);
    return clientCanvas_;
}

void TCustomControl::PaintControl(TCanvas& canvas)
{
    canvas_.SetTarget(canvas.Target());
    canvas_.SetOrigin(canvas.Origin());
    canvas_.IntersectClip(canvas.ClipRect());
    Paint();
    canvas_.SetTarget(nullptr);
}

// --- Scroll bars ----------------------------------------------------------------------------

bool TWinControl::GetScrollBarInfo(int32_t objectId, TScrollBarInfo& info)
{
    (void)objectId;
    info = TScrollBarInfo();
    info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return true;
}

bool TWinControl::GetScrollInfo(int bar, TScrollInfo& info)
{
    (void)bar;
    info = TScrollInfo();
    return false;
}
