#include "skin/controls/CheckBox.h"

#include "skin/controls/PaintSupport.h"
#include "skin/themes/ControlHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/forms/CustomForm.h"

#include <algorithm>
#include <exception>

namespace {

// Frames of the skin's six-frame check box strip and of the four-frame strips (built-in styles,
// and the skin's radio buttons), by checked and enabled.
int SkinCheckBoxFrame(bool checked, bool enabled)
{
    if (checked)
        return enabled ? 1 : 4;
    return enabled ? 3 : 6;
}

int FourFrame(bool checked, bool enabled)
{
    if (checked)
        return enabled ? 1 : 3;
    return enabled ? 2 : 4;
}

} // namespace

TsuiCheckBox::TsuiCheckBox(TComponent* owner) : TCustomControl(owner)
{
    // A double click is two clicks: it toggles twice.
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(true);
    SetBounds(Left(), Top(), 93, 17);
    uiStyle_ = GetDefaultUIStyle(owner);
}

const TClassInfo& TsuiCheckBox::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiCheckBox", &TCustomControl::StaticClassInfo(), [](TComponent* owner) { return new TsuiCheckBox(owner); },
        [](TClassInfo& c) {
            using C = TsuiCheckBox;
            TPublisher<C>(c)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &C::UIStyle, &C::SetUIStyle)
                .Component<TsuiFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme)
                .Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize)
                .Boolean("Checked", &C::Checked, &C::SetChecked)
                .Enum<TCheckBoxState>("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &C::State, &C::SetState)
                .Boolean("Transparent", &C::Transparent, &C::SetTransparent);
        });
    return info;
}

// --- State ----------------------------------------------------------------------------------

void TsuiCheckBox::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    Repaint();
    StateChanged();
}

bool TsuiCheckBox::Loading() const
{
    if (IsLoading())
        return true;
    const TCustomForm* form = ParentForm();
    return (form && form->IsLoading()) || (Owner() && Owner()->IsLoading());
}

void TsuiCheckBox::StateChanged()
{
    if (!Loading() && OnClick)
        OnClick(this);
}

void TsuiCheckBox::Toggle()
{
    BeforeToggle();
    SetChecked(!checked_);
}

void TsuiCheckBox::Click() { Toggle(); }

bool TsuiCheckBox::ShowsFocus() const { return TabStop() && Focused(); }

int TsuiCheckBox::GlyphElement() const { return STYLE_CHECKBOX_IMAGE; }

// --- Looks ----------------------------------------------------------------------------------

void TsuiCheckBox::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    Repaint();
}

void TsuiCheckBox::SetFileTheme(TsuiFileTheme* value)
{
    ReplaceReference(fileTheme_, value);
    SetUIStyle(uiStyle_);
}

void TsuiCheckBox::Notification(TComponent* component, TOperation operation)
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

void TsuiCheckBox::SetTransparent(bool value)
{
    transparent_ = value;
    Repaint();
}

void TsuiCheckBox::SetAutoSize(bool value)
{
    autoSize_ = value;
    Repaint();
}

void TsuiCheckBox::FontChanged() { Repaint(); }

void TsuiCheckBox::TextChanged() { Repaint(); }

void TsuiCheckBox::GetGlyph(TBitmap& glyph) const
{
    const bool enabled = Enabled();
    TsuiUIStyle effective;
    const bool fromTheme = UsesFileTheme(fileTheme_, uiStyle_, effective);
    if (fromTheme && GlyphElement() == STYLE_CHECKBOX_IMAGE)
        fileTheme_->CopyBitmap(SKIN2_CHECKBOX, &glyph, 6, SkinCheckBoxFrame(checked_, enabled));
    else if (fromTheme)
        fileTheme_->CopyBitmap(GlyphSkinKey(), &glyph, 4, FourFrame(checked_, enabled));
    else
        GetStyleBitmap(effective, GlyphElement(), &glyph, 4, FourFrame(checked_, enabled));
}

// --- Painting -------------------------------------------------------------------------------

void TsuiCheckBox::AdjustSize(const TCanvas& canvas, const TBitmap& glyph)
{
    const int height = std::max(canvas.TextHeight("W") + 2, glyph.Height()) + 4;
    const int width = glyph.Width() + canvas.TextWidth(Caption()) + 8;
    if (width != Width() || height != Height())
        SetBounds(Left(), Top(), width, height);
}

void TsuiCheckBox::Paint()
{
    TBitmap glyph;
    try {
        GetGlyph(glyph);
    } catch (const std::exception&) {
        glyph = TBitmap();
    }
    // A transparent picture leaves out the colour of its bottom-left pixel.
    glyph.SetTransparent(GlyphTransparent());
    TCanvas measure;
    measure.SetFont(Font());
    if (autoSize_)
        AdjustSize(measure, glyph);

    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    TBitmap buffer = BlankBitmap(client.Width(), client.Height());
    TCanvas canvas(buffer);
    canvas.SetFont(Font());
    if (transparent_) {
        DrawParentBackground(canvas, *this);
    } else {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(client);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const int lineHeight = canvas.TextHeight("W");
    const int textTop = (client.Height() - lineHeight) / 2;
    canvas.Draw(1, (client.Height() - glyph.Height()) / 2, glyph);
    TRect text(glyph.Width() + 4, textTop, client.Width(), client.Height());
    canvas.DrawText(Caption(), text, DT_LEFT | DT_SINGLELINE);
    if (ShowsFocus()) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.DrawFocusRect(TRect(glyph.Width() + 3, textTop, client.Width(), textTop + lineHeight + 2));
    }
    Canvas().CopyRect(client, buffer, client);
}

// --- Input ----------------------------------------------------------------------------------

void TsuiCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !CanFocus() || !Enabled() || !Visible())
        return;
    try {
        SetFocus();
    } catch (const std::exception&) {
        // Still clickable without the focus.
    }
}

void TsuiCheckBox::KeyUp(uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyUp(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled() && KeysToggle()) {
        Repaint();
        Click();
    }
}

// No Alt is needed for a check box's mnemonic. One that is not showing (on a hidden page)
// never answers: the user would change a choice they cannot see.
void TsuiCheckBox::HandleDialogChar(TMessage& message)
{
    if (!IsAccel(static_cast<char32_t>(message.WParam), Caption()))
        return;
    if (!Enabled() || !Visible() || !Parent() || !Parent()->Enabled() || !Showing())
        return;
    if (CanFocus()) {
        try {
            SetFocus();
        } catch (const std::exception&) {
            // The click still counts.
        }
    }
    Click();
    message.Result = 1;
}

void TsuiCheckBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case CM_DIALOGCHAR:
        HandleDialogChar(message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(message);
        Repaint();
        return;
    default:
        TCustomControl::WndProc(message);
    }
}
