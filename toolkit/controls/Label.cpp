#include "toolkit/controls/Label.h"

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() & ~csCaptureMouse);
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo info(
        "TLabel", &TGraphicControl::StaticClassInfo(), [](TComponent* owner) { return new TLabel(owner); },
        [](TClassInfo& c) {
            TPublisher<TLabel>(c)
                .Enum<TAlignment>("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TLabel::Alignment,
                                  &TLabel::SetAlignment)
                .Enum<TTextLayout>("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TLabel::Layout, &TLabel::SetLayout)
                .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
                .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
                .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
                .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
                .Component<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
        });
    return info;
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::TextChanged() { AdjustBounds(); }

void TLabel::FontChanged()
{
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

unsigned TLabel::Flags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    if (alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    else if (alignment_ == taCenter)
        flags |= DT_CENTER;
    return flags;
}

// The text a measurement sees: an empty caption still takes one line.
static std::string Measured(const std::string& text) { return text.empty() || text == "&" ? text + " " : text; }

void TLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading())
        return;
    TCanvas measure;
    measure.SetFont(Font());
    TRect rect(0, 0, wordWrap_ ? Width() : 0, 0);
    measure.DrawText(Measured(Text()), rect, (Flags() & ~unsigned(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    int left = Left();
    if (!wordWrap_ && alignment_ == taRightJustify)
        left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TLabel::Paint()
{
    TCanvas& canvas = Canvas();
    TRect client(0, 0, Width(), Height());
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(client);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetFont(Font());
    TRect rect = client;
    if (layout_ != tlTop) {
        TRect measure = client;
        canvas.DrawText(Measured(Text()), measure, Flags() | DT_CALCRECT);
        int offset = client.Height() - measure.Height();
        rect.Top += layout_ == tlCenter ? offset / 2 : offset;
    }
    if (!Enabled()) {
        TRect shadow = rect.Offset(1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(Text(), shadow, Flags());
        canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(Text(), rect, Flags());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR) {
        auto* target = dynamic_cast<TWinControl*>(focusControl_);
        if (target && showAccelChar_ && Enabled() && IsAccel(static_cast<char32_t>(message.WParam), Text()) &&
            target->CanFocus()) {
            target->SetFocus();
            message.Result = 1;
        }
        return;
    }
    TGraphicControl::WndProc(message);
}
