#include "toolkit/controls/Control.h"

#include "platform/FontEngine.h"

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/FontProperties.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/application/Application.h"
#include "toolkit/forms/CustomForm.h"

#include <algorithm>

namespace {

const std::vector<std::string> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
const std::vector<std::string> kAnchorNames = {"akLeft", "akTop", "akRight", "akBottom"};
const std::vector<std::string> kBiDiNames = {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"};

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    WindowProc = [this](TMessage& message) { WndProc(message); };
    font_.OnChange = [this] {
        if (!settingParentFont_)
            parentFont_ = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl()
{
    Destroying();
    if (parent_)
        parent_->RemoveControl(this);
}

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info("TControl", &TComponent::StaticClassInfo(), nullptr, [](TClassInfo& c) {
        TPublisher<TControl> publisher(c);
        publisher
            .Integer("Left", &TControl::Left, &TControl::SetLeft)
            .Integer("Top", &TControl::Top, &TControl::SetTop)
            .Integer("Width", &TControl::Width, &TControl::SetWidth)
            .Integer("Height", &TControl::Height, &TControl::SetHeight)
            .Integer("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
            .Integer("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
            .Enum<TAlign>("Align", kAlignNames, &TControl::Align, &TControl::SetAlign)
            .Set("Anchors", kAnchorNames, &TControl::Anchors, &TControl::SetAnchors)
            .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
            .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Color("Color", &TControl::Color, &TControl::SetColor)
            .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .String("Caption", &TControl::Caption, &TControl::SetCaption)
            .String("Text", &TControl::Text, &TControl::SetText)
            .String("Hint", &TControl::Hint, &TControl::SetHint)
            .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Boolean("ParentShowHint", [](const TControl&) { return true; }, [](TControl&, bool) {})
            .Enum<TBiDiMode>("BiDiMode", kBiDiNames, &TControl::BiDiMode, &TControl::SetBiDiMode)
            .Boolean("ParentBiDiMode", [](const TControl&) { return true; }, [](TControl&, bool) {});
        PublishFont(publisher, "Font", [](auto& self) { return &self.Font(); });
        publisher
            .Event<TNotifyEvent>("OnClick", [](TControl& self, const TNotifyEvent& e) { self.OnClick = e; })
            .Event<TNotifyEvent>("OnDblClick", [](TControl& self, const TNotifyEvent& e) { self.OnDblClick = e; })
            .Event<TNotifyEvent>("OnResize", [](TControl& self, const TNotifyEvent& e) { self.OnResize = e; })
            .Event<TMouseEvent>("OnMouseDown", [](TControl& self, const TMouseEvent& e) { self.OnMouseDown = e; })
            .Event<TMouseEvent>("OnMouseUp", [](TControl& self, const TMouseEvent& e) { self.OnMouseUp = e; })
            .Event<TMouseMoveEvent>("OnMouseMove", [](TControl& self, const TMouseMoveEvent& e) { self.OnMouseMove = e; });
    });
    return info;
}

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info("TGraphicControl", &TControl::StaticClassInfo(), nullptr);
    return info;
}

// --- Place ----------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("控件不能成为自身的父控件");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(parent))
        SetParent(windowed);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool resized = width != width_ || height != height_;
    // A window that only moves keeps its picture; anything else is painted afresh.
    bool repaint = resized || parent_;
    if (repaint)
        Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged(resized);
    if (repaint)
        Invalidate();
    if (align_ != alNone)
        RequestAlign();
    if (resized)
        Resize();
}

void TControl::BoundsChanged(bool resized) { (void)resized; }

void TControl::SetClientSize(int width, int height)
{
    TRect client = ClientRect();
    SetBounds(left_, top_, width_ + width - client.Width(), height_ + height - client.Height());
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_)
        return;
    align_ = value;
    anchors_ = akLeft | akTop;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) { anchors_ = value & (akLeft | akTop | akRight | akBottom); }

void TControl::RequestAlign()
{
    if (parent_ && !parent_->IsLoading())
        parent_->Realign();
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

// --- State ----------------------------------------------------------------------------------

static void SendShowingChanged(TControl* control)
{
    control->Perform(CM_SHOWINGCHANGED);
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < windowed->ControlCount(); ++i)
            if (windowed->Controls(i)->Visible())
                SendShowingChanged(windowed->Controls(i));
}

void TControl::SetVisible(bool value)
{
    if (value == visible_)
        return;
    bool wasShowing = Showing();
    if (!value)
        Invalidate();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (value)
        Invalidate();
    if (parent_ && !parent_->IsLoading())
        parent_->Realign();
    if (Showing() != wasShowing)
        SendShowingChanged(this);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value)
{
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_)
        return;
    if (color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    settingParentFont_ = true;
    font_.Assign(parent_->Font());
    settingParentFont_ = false;
}

void TControl::FontChanged() { Invalidate(); }

void TControl::SetText(const std::string& value)
{
    if (value == text_)
        return;
    text_ = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parentColor_)
        ParentColorChanged();
    if (parentFont_)
        ParentFontChanged();
}

// --- Z-order --------------------------------------------------------------------------------

void TControl::BringToFront()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    Invalidate();
}

// --- Painting -------------------------------------------------------------------------------

void TControl::Invalidate()
{
    if (TCustomForm* form = ParentForm(); form && Showing())
        form->InvalidateWindowRect(VisibleWindowRect());
}

void TControl::Repaint()
{
    if (TCustomForm* form = ParentForm(); form && Showing())
        form->PaintWindowRect(VisibleWindowRect());
}

void TControl::Update()
{
    if (TCustomForm* form = ParentForm())
        form->PaintInvalid();
}

void TControl::PaintControl(TCanvas& canvas) { (void)canvas; }

void TGraphicControl::PaintControl(TCanvas& canvas)
{
    canvas_.SetTarget(canvas.Target());
    canvas_.SetOrigin(canvas.Origin());
    canvas_.IntersectClip(canvas.ClipRect());
    Paint();
    canvas_.SetTarget(nullptr);
}

// --- Messages -------------------------------------------------------------------------------

TLResult TControl::Perform(uint32_t msg, TWParam wParam, TLParam lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
        HandleMouse(message);
        return;
    case WM_MOUSEWHEEL:
        if (parent_)
            message.Result = parent_->Perform(message.Msg, message.WParam, message.LParam);
        return;
    case CM_FONTCHANGED:
        FontChanged();
        return;
    case CM_COLORCHANGED:
        ColorChanged();
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        TextChanged();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
        Invalidate();
        return;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        return;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        return;
    case WM_PAINT:
        if (message.WParam)
            PaintControl(*reinterpret_cast<TCanvas*>(message.WParam));
        else
            Repaint();
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage& message) { (void)message; }

void TControl::HandleMouse(TMessage& message)
{
    int x = XFromLParam(message.LParam);
    int y = YFromLParam(message.LParam);
    TShiftState shift = MouseKeysToShiftState(message.WParam);
    TCustomForm* form = ParentForm();
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (form)
            form->SendCancelMode(this);
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(true);
        if (controlStyle_ & csClickEvents)
            clicking_ = true;
        if (message.Msg == WM_LBUTTONDBLCLK && (controlStyle_ & csDoubleClicks)) {
            clicking_ = false;
            if (OnDblClick)
                OnDblClick(this);
            shift |= ssDouble;
        }
        MouseDown(mbLeft, shift | ssLeft, x, y);
        break;
    case WM_LBUTTONUP:
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(false);
        if (clicking_) {
            clicking_ = false;
            if (TRect(0, 0, ClientWidth(), ClientHeight()).Contains(TPoint(x, y)))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        if (form)
            form->SendCancelMode(this);
        MouseDown(mbRight, shift | ssRight, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    default:
        MouseMove(shift, x, y);
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

// --- Coordinates ----------------------------------------------------------------------------

TCustomForm* TControl::ParentForm() const
{
    const TControl* top = this;
    while (top->parent_)
        top = top->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TPoint TControl::ClientToWindow(TPoint p) const
{
    TPoint offset = ClientOffset();
    if (!parent_)
        return p + offset;
    return parent_->ClientToWindow(TPoint(left_ + offset.X + p.X, top_ + offset.Y + p.Y));
}

TPoint TControl::WindowToClient(TPoint p) const
{
    TPoint origin = ClientToWindow(TPoint(0, 0));
    return p - origin;
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    TPoint window = ClientToWindow(p);
    if (TCustomForm* form = ParentForm())
        return TPoint(window.X + form->Left(), window.Y + form->Top());
    return window;
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    TPoint origin = ClientToScreen(TPoint(0, 0));
    return p - origin;
}

TRect TControl::VisibleWindowRect() const
{
    if (!parent_)
        return TRect(0, 0, width_, height_);
    TPoint topLeft = parent_->ClientToWindow(TPoint(left_, top_));
    TRect result = Bounds(topLeft.X, topLeft.Y, width_, height_);
    for (const TWinControl* p = parent_; p; p = p->parent_) {
        TRect client = p->ClientRect();
        TPoint origin = p->ClientToWindow(TPoint(0, 0));
        result = result.Intersect(Bounds(origin.X, origin.Y, client.Width(), client.Height()));
    }
    return result;
}

// --- Mouse ----------------------------------------------------------------------------------

bool TControl::MouseCapture() const
{
    TCustomForm* form = ParentForm();
    return form && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    TCustomForm* form = ParentForm();
    if (!form)
        return;
    if (value)
        form->SetCaptureControl(this);
    else if (form->CaptureControl() == this)
        form->SetCaptureControl(nullptr);
}

TControl* TControl::ControlAtPos(TPoint p)
{
    (void)p;
    return this;
}

// --- Helpers --------------------------------------------------------------------------------

TShiftState KeyDataToShiftState(TLParam keyData)
{
    TShiftState shift = 0;
    if (keyData & KF_ALTDOWN_LPARAM)
        shift |= ssAlt;
    if (Application)
        shift |= Application->KeyShiftState() & (ssShift | ssCtrl);
    return shift;
}

TShiftState MouseKeysToShiftState(TWParam keys)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (Application)
        shift |= Application->KeyShiftState() & ssAlt;
    return shift;
}

bool IsAccel(char32_t ch, const std::string& caption)
{
    auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        std::u32string next = DecodeUtf8(std::string_view(caption).substr(i + 1, 4));
        return !next.empty() && lower(next[0]) == lower(ch);
    }
    return false;
}
