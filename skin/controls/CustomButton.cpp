#include "skin/controls/CustomButton.h"

#include "skin/controls/PaintSupport.h"
#include "skin/themes/ControlHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/application/Timer.h"
#include "toolkit/forms/CustomForm.h"
#include "toolkit/graphics/ImageList.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

// Repeat timers in the middle of a tick. A handler may stop the repeat or even free the button;
// the timer still has work to do when the handler returns, so a timer stopped during its own
// tick goes to the graveyard and is freed once no tick is running any more.
std::vector<const TObject*>& TickingTimers()
{
    static std::vector<const TObject*> timers;
    return timers;
}

std::vector<std::unique_ptr<TTimer>>& TimerGraveyard()
{
    static std::vector<std::unique_ptr<TTimer>> timers;
    return timers;
}

void RetireTimer(std::unique_ptr<TTimer> timer)
{
    const auto& ticking = TickingTimers();
    if (ticking.empty())
        TimerGraveyard().clear();
    if (!timer)
        return;
    timer->SetEnabled(false);
    if (std::find(ticking.begin(), ticking.end(), timer.get()) != ticking.end())
        TimerGraveyard().push_back(std::move(timer));
}

// The face of a button whose picture cannot be had: the size of the usual built-in frame.
constexpr int kBlankFaceWidth = 74;
constexpr int kBlankFaceHeight = 21;

// The caption centred in area: measured with word breaks, drawn with line breaks only.
void DrawCentred(TCanvas& canvas, const std::string& caption, const TRect& area)
{
    TRect measured = area;
    canvas.DrawText(caption, measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    measured = measured.Offset((area.Width() - measured.Width()) / 2, (area.Height() - measured.Height()) / 2);
    canvas.DrawText(caption, measured, DT_CENTER);
}

} // namespace

bool IsSkinnedPushButton(const TComponent* component)
{
    return component && IsOfClass(*component, "TsuiButton");
}

TsuiCustomButton::TsuiCustomButton(TComponent* owner) : TCustomControl(owner)
{
    // Two quick clicks are two clicks; nothing is ever placed inside a button.
    SetControlStyle(ControlStyle() & ~(csDoubleClicks | csAcceptsControls));
    SetTabStop(true);
    uiStyle_ = GetDefaultUIStyle(owner);
}

TsuiCustomButton::~TsuiCustomButton() { StopRepeat(); }

const TClassInfo& TsuiCustomButton::StaticClassInfo()
{
    static const TClassInfo info("TsuiCustomButton", &TCustomControl::StaticClassInfo(), nullptr, [](TClassInfo& c) {
        using B = TsuiCustomButton;
        TPublisher<B>(c)
            .String("Caption", &B::Caption, &B::SetCaption)
            .Boolean("AutoSize", &B::AutoSize, &B::SetAutoSize)
            .Boolean("Cancel", &B::Cancel, &B::SetCancel)
            .Boolean("Default", &B::Default, &B::SetDefault)
            .Boolean("Transparent", &B::Transparent, &B::SetTransparent)
            .Integer("ModalResult", &B::ModalResult, &B::SetModalResult)
            .Component<TsuiFileTheme>("FileTheme", &B::FileTheme, &B::SetFileTheme)
            .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &B::UIStyle, &B::SetUIStyle)
            .Integer("MouseContinuouslyDownInterval", &B::MouseContinuouslyDownInterval,
                     &B::SetMouseContinuouslyDownInterval)
            .Integer("FocusedRectMargin", &B::FocusedRectMargin, &B::SetFocusedRectMargin)
            .Event<TNotifyEvent>("OnMouseEnter", [](B& self, const TNotifyEvent& e) { self.OnMouseEnter = e; })
            .Event<TNotifyEvent>("OnMouseExit", [](B& self, const TNotifyEvent& e) { self.OnMouseExit = e; })
            .Event<TNotifyEvent>("OnMouseContinuouslyDown",
                                 [](B& self, const TNotifyEvent& e) { self.OnMouseContinuouslyDown = e; });
    });
    return info;
}

// --- Properties -----------------------------------------------------------------------------

void TsuiCustomButton::SetCaption(const std::string& value)
{
    caption_ = value;
    SetText(value);
    CaptionChanged();
    Repaint();
}

void TsuiCustomButton::TextChanged() { caption_ = Text(); }

void TsuiCustomButton::SetAutoSize(bool value)
{
    autoSize_ = value;
    ApplyAutoSize();
    Repaint();
}

void TsuiCustomButton::SetDefault(bool value)
{
    default_ = value;
    activeDefault_ = value;
    // Every button works out again whether it answers Enter, as after a focus change.
    TCustomForm* form = ParentForm();
    if (form && Parent())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<TLParam>(form->ActiveControl()));
}

void TsuiCustomButton::SetTransparent(bool value)
{
    transparent_ = value;
    TransparentChanged();
    Repaint();
}

void TsuiCustomButton::TransparentChanged()
{
    faceTransparent_ = transparent_;
    Repaint();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    StyleChanged();
    Repaint();
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme* value)
{
    ReplaceReference(fileTheme_, value);
    SetUIStyle(uiStyle_);
}

void TsuiCustomButton::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != opRemove || component != fileTheme_ || !component)
        return;
    fileTheme_ = nullptr;
    if (IsDestroying())
        uiStyle_ = DeepBlue;
    else
        SetUIStyle(DeepBlue);
}

void TsuiCustomButton::SetFocusedRectMargin(int value)
{
    focusedRectMargin_ = value;
    Repaint();
}

void TsuiCustomButton::FontChanged()
{
    Canvas().SetFont(Font());
    Repaint();
}

void TsuiCustomButton::ApplyAutoSize()
{
    if (!autoSize_)
        return;
    // The stored style, not the effective one: a FromThemeFile button finds no bitmap here.
    TBitmap strip;
    try {
        GetStyleBitmap(uiStyle_, STYLE_BUTTON_IMAGE, &strip, 0, 0);
    } catch (const std::exception&) {
        strip = TBitmap();
    }
    const int height = strip.Height() == 0 ? kBlankFaceHeight : strip.Height();
    const int width = strip.Width() == 0 ? kBlankFaceWidth : strip.Width();
    SetBounds(Left(), Top(), width / 3, height);
}

// --- Faces ----------------------------------------------------------------------------------

void TsuiCustomButton::GetFaceFrame(TBitmap& face, int frame) const
{
    TsuiUIStyle effective;
    if (UsesFileTheme(fileTheme_, uiStyle_, effective))
        fileTheme_->CopyBitmap(SKIN2_BUTTON, &face, 3, frame);
    else
        GetStyleBitmap(effective, STYLE_BUTTON_IMAGE, &face, 3, frame);
}

void TsuiCustomButton::GetNormalFace(TBitmap& face) { GetFaceFrame(face, 1); }
void TsuiCustomButton::GetMouseOnFace(TBitmap& face) { GetFaceFrame(face, 2); }
void TsuiCustomButton::GetPressedFace(TBitmap& face) { GetFaceFrame(face, 3); }
void TsuiCustomButton::GetDisabledFace(TBitmap& face) { GetFaceFrame(face, 1); }

void TsuiCustomButton::FillFace(TBitmap& face)
{
    if (!Enabled())
        GetDisabledFace(face);
    else if (pressed_)
        GetPressedFace(face);
    else if (mouseOver_)
        GetMouseOnFace(face);
    else
        GetNormalFace(face);
}

// --- Painting -------------------------------------------------------------------------------

// The whole button is composed off screen and copied in one block, so it never flickers.
void TsuiCustomButton::Paint()
{
    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    TBitmap face;
    try {
        FillFace(face);
    } catch (const std::exception&) {
        face = BlankBitmap(kBlankFaceWidth, kBlankFaceHeight);
    }
    face.SetTransparent(faceTransparent_);

    TBitmap buffer = BlankBitmap(client.Width(), client.Height());
    TCanvas canvas(buffer);
    if (transparent_) {
        DrawParentBackground(canvas, *this);
    } else {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(client);
    }
    PaintFace(canvas, face);
    if (Focused() && TabStop())
        PaintFocus(canvas);
    canvas.SetFont(Font());
    Canvas().SetFont(Font());
    if (HasVisibleText(caption_))
        PaintCaption(canvas, caption_);
    Canvas().CopyRect(client, buffer, client);
}

void TsuiCustomButton::PaintFace(TCanvas& canvas, TBitmap& face)
{
    if (face.Empty())
        return;
    TImageList images(face.Width(), face.Height());
    if (faceTransparent_)
        images.AddMasked(face, face.Pixel(0, 0));
    else
        images.Add(face);
    images.Draw(canvas, 0, 0, 0, Enabled());
}

void TsuiCustomButton::PaintCaption(TCanvas& canvas, const std::string& caption)
{
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const TRect client = ClientRect();
    canvas.SetFont(Font());
    if (focusBold_)
        canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
    if (!Enabled()) {
        // Etched: white one pixel down and right, grey on top.
        canvas.Font().SetColor(clWhite);
        DrawCentred(canvas, caption, client.Offset(1, 1));
        canvas.Font().SetColor(RGB(128, 128, 128));
        DrawCentred(canvas, caption, client);
    } else {
        DrawCentred(canvas, caption, pressed_ ? client.Offset(1, 1) : client);
    }
    focusBold_ = false;
}

void TsuiCustomButton::PaintFocus(TCanvas& canvas)
{
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    const int m = focusedRectMargin_;
    canvas.DrawFocusRect(TRect(m, m, ClientWidth() - m, ClientHeight() - m));
}

// --- Auto-repeat ----------------------------------------------------------------------------

void TsuiCustomButton::StartRepeat()
{
    RetireTimer(std::move(timer_));
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetInterval(static_cast<uint32_t>(std::max(repeatInterval_, 0)));
    timer_->SetOnTimer([this](TObject* sender) {
        // Once the handler has run, this button may be gone: only the timer is touched after it.
        TickingTimers().push_back(sender);
        struct Done {
            const TObject* timer;
            ~Done()
            {
                auto& ticking = TickingTimers();
                ticking.erase(std::find(ticking.begin(), ticking.end(), timer));
            }
        } done{sender};
        if (OnMouseContinuouslyDown)
            OnMouseContinuouslyDown(this);
    });
}

void TsuiCustomButton::StopRepeat() { RetireTimer(std::move(timer_)); }

void TsuiCustomButton::EndPress()
{
    StopRepeat();
    if (!pressed_)
        return;
    pressed_ = false;
    Repaint();
}

// --- Input ----------------------------------------------------------------------------------

void TsuiCustomButton::Click()
{
    if (pressed_) {
        StopRepeat();
        pressed_ = false;
        Repaint();
    }
    if (Parent())
        if (TCustomForm* form = ParentForm())
            form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

void TsuiCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        pressed_ = true;
        if (!timer_)
            StartRepeat();
        if (TabStop() && CanFocus() && Enabled() && Visible()) {
            try {
                SetFocus();
            } catch (const std::exception&) {
                // A button that cannot take the focus is still pressed.
            }
        }
        Repaint();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TsuiCustomButton::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    // The right and bottom edges themselves still count as on the button.
    if ((x < 0 || y < 0 || x > Width() || y > Height()) && (mouseOver_ || pressed_)) {
        mouseOver_ = false;
        pressed_ = false;
        Repaint();
    }
}

// Letting go of the button ends the hold wherever the pointer is: a click (inside) has ended it
// already; outside, no auto-repeat may go on ticking for a button nobody holds.
void TsuiCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft)
        EndPress();
}

void TsuiCustomButton::KeyDown(uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
        pressed_ = true;
        Repaint();
    }
}

void TsuiCustomButton::KeyUp(uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyUp(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && pressed_ && Enabled()) {
        pressed_ = false;
        Repaint();
        Click();
    }
}

void TsuiCustomButton::UpdateActiveDefault(const TWinControl* focused)
{
    activeDefault_ = IsSkinnedPushButton(focused) ? focused == this : default_;
}

void TsuiCustomButton::HandleDialogKey(TMessage& message)
{
    const bool enter = message.WParam == VK_RETURN && activeDefault_;
    const bool escape = message.WParam == VK_ESCAPE && cancel_;
    const bool plain = (KeyDataToShiftState(message.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
    if ((enter || escape) && plain && CanFocus()) {
        Click();
        message.Result = 1;
    }
}

// A mnemonic needs Alt unless the focus is on a skinned button. A button that is not showing
// (on a hidden page) never answers one: its click would act on a page the user cannot see.
void TsuiCustomButton::HandleDialogChar(TMessage& message)
{
    if (!IsAccel(static_cast<char32_t>(message.WParam), caption_))
        return;
    bool byButton = false;
    if (TCustomForm* form = ParentForm())
        if (TWinControl* focused = form->ActiveControl())
            byButton = focused->Perform(MSG_BUTTON_QUERY) == 1;
    const bool alt = (message.LParam & KF_ALTDOWN_LPARAM) != 0;
    if ((alt || byButton) && Parent() && Parent()->Enabled() && Enabled() && Visible() && Showing()) {
        Click();
        message.Result = 1;
    }
}

void TsuiCustomButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case MSG_BUTTON_QUERY:
        message.Result = 1;
        return;
    case WM_ERASEBKGND:
        // The off-screen picture covers every pixel.
        message.Result = 1;
        return;
    case CM_DIALOGKEY:
        HandleDialogKey(message);
        return;
    case CM_DIALOGCHAR:
        HandleDialogChar(message);
        return;
    case CM_FOCUSCHANGED:
        TCustomControl::WndProc(message);
        UpdateActiveDefault(reinterpret_cast<const TWinControl*>(message.LParam));
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(message);
        Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(message);
        EnabledChanged();
        Repaint();
        return;
    case CM_MOUSEENTER:
        if (ComponentState() & csDesigning)
            return;
        mouseOver_ = true;
        Repaint();
        if (OnMouseEnter)
            OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        mouseOver_ = false;
        pressed_ = false;
        StopRepeat();
        Repaint();
        if (OnMouseExit)
            OnMouseExit(this);
        return;
    case CM_CANCELMODE:
        // Also when the press is on this button: the notice comes before the press takes
        // effect, so a left press starts its hold afresh, and a right press ends one.
        TCustomControl::WndProc(message);
        mouseOver_ = false;
        pressed_ = false;
        StopRepeat();
        Repaint();
        return;
    default:
        TCustomControl::WndProc(message);
    }
}
