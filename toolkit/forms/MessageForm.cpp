#include "toolkit/forms/MessageForm.h"

#include "platform/WindowHost.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"

#include <algorithm>

namespace {

constexpr int kMargin = 12;
constexpr int kIcon = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 360;
// Beside the caption's text: its left inset and the close button with its gaps.
constexpr int kCaptionRoom = 4 + 2 + 16 + 2 + 8;

const char* LabelFor(int answer)
{
    switch (answer) {
    case IDYES:
        return "是(&Y)";
    case IDNO:
        return "否(&N)";
    case IDCANCEL:
        return "取消";
    default:
        return "确定";
    }
}

std::vector<int> AnswersFor(unsigned flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    default:
        return {IDOK};
    }
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner, const std::string& text, const std::string& caption, unsigned flags)
    : TForm(owner), flags_(flags), answers_(AnswersFor(flags))
{
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetCaption(caption);
    KeyPreviewValue = false;

    bool icon = (flags & MB_ICONMASK) != 0;
    int textLeft = kMargin + (icon ? kIcon + kMargin : 0);
    label_ = new TLabel(this);
    label_->SetParent(this);
    label_->SetShowAccelChar(false);
    label_->SetWordWrap(false);
    TCanvas measure;
    measure.SetFont(label_->Font());
    TRect bounds(0, 0, kMaxTextWidth, 0);
    measure.DrawText(text.empty() ? " " : text, bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    label_->SetAutoSize(false);
    label_->SetWordWrap(true);
    label_->SetCaption(text);
    int contentHeight = std::max(bounds.Height(), icon ? kIcon : 0);
    label_->SetBounds(textLeft, kMargin + (contentHeight - bounds.Height()) / 2, bounds.Width(), bounds.Height());
    iconAt_ = TPoint(kMargin, kMargin + (contentHeight - kIcon) / 2);

    int count = static_cast<int>(answers_.size());
    int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int clientWidth = std::max(textLeft + bounds.Width() + kMargin, buttonsWidth + 2 * kMargin);
    // Wide enough for the caption (bold, beside the close button) to be read whole, as far as a
    // box may grow.
    measure.Font().SetStyle(fsBold);
    const int captionWidth = measure.TextWidth(caption) + kCaptionRoom;
    clientWidth = std::max(clientWidth, std::min(captionWidth, kMaxTextWidth + 2 * kMargin + kIcon));
    int buttonsTop = kMargin + contentHeight + kMargin;
    SetClientSize(clientWidth, buttonsTop + kButtonHeight + kMargin);

    int defaultIndex = static_cast<int>((flags & MB_DEFMASK) >> 8);
    if (defaultIndex >= count)
        defaultIndex = 0;
    int x = (clientWidth - buttonsWidth) / 2;
    for (int i = 0; i < count; ++i) {
        auto* button = new TButton(this);
        button->SetParent(this);
        button->SetCaption(LabelFor(answers_[static_cast<size_t>(i)]));
        button->SetModalResult(answers_[static_cast<size_t>(i)]);
        button->SetBounds(x, buttonsTop, kButtonWidth, kButtonHeight);
        button->SetDefault(i == defaultIndex);
        int answer = answers_[static_cast<size_t>(i)];
        button->SetCancel(answer == IDCANCEL || (count == 1 && answer == IDOK));
        buttons_.push_back(button);
        x += kButtonWidth + kButtonGap;
    }
    SetActiveControl(buttons_[static_cast<size_t>(defaultIndex)]);
    OnCloseQuery = [this](TObject*, bool& canClose) {
        // Closing answers Cancel, or OK where OK is the only button; a Yes/No box needs an answer.
        int answer = std::count(answers_.begin(), answers_.end(), IDCANCEL) ? IDCANCEL : answers_.size() == 1 ? IDOK : 0;
        canClose = answer != 0;
        if (canClose)
            SetModalResult(answer);
    };
}

void TMessageForm::CreateParams(HostWindowParams& params)
{
    TForm::CreateParams(params);
    params.messageBox = true;
    for (int answer : answers_)
        params.messageBoxAnswers |= 1u << answer;
}

TButton* TMessageForm::ButtonFor(int answer) const
{
    for (size_t i = 0; i < answers_.size(); ++i)
        if (answers_[i] == answer)
            return buttons_[i];
    return nullptr;
}

void TMessageForm::DispatchEvent(const HostEvent& event)
{
    if (event.type == HostEventType::Answer) {
        if (TButton* button = ButtonFor(event.answer))
            button->Click();
        return;
    }
    if (event.type == HostEventType::Close) {
        // As the close button: only where the box has a way out.
        bool canClose = false;
        OnCloseQuery(this, canClose);
        return;
    }
    TForm::DispatchEvent(event);
}

void TMessageForm::PaintControl(TCanvas& canvas)
{
    TForm::PaintControl(canvas);
    if (flags_ & MB_ICONMASK)
        DrawIcon(canvas, iconAt_.X, iconAt_.Y);
}

void TMessageForm::DrawIcon(TCanvas& canvas, int x, int y)
{
    canvas.Save();
    TRect box = Bounds(x, y, kIcon, kIcon);
    unsigned icon = flags_ & MB_ICONMASK;
    canvas.Pen().SetWidth(1);
    if (icon == MB_ICONSTOP) {
        canvas.Pen().SetColor(RGB(128, 0, 0));
        canvas.Brush().SetColor(RGB(255, 0, 0));
        canvas.Ellipse(box.Inflate(-1, -1));
        canvas.Brush().SetColor(clWhite);
        for (int i = 0; i < 14; ++i) {
            canvas.FillRect(Bounds(x + 9 + i, y + 9 + i, 3, 1).Inflate(0, 1));
            canvas.FillRect(Bounds(x + 20 - i, y + 9 + i, 3, 1).Inflate(0, 1));
        }
    } else if (icon == MB_ICONWARNING) {
        canvas.Pen().SetColor(clBlack);
        canvas.Brush().SetColor(RGB(255, 255, 0));
        TPoint triangle[] = {{x + 16, y + 1}, {x + 31, y + 29}, {x + 1, y + 29}};
        canvas.Polygon(triangle);
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(Bounds(x + 15, y + 10, 3, 11));
        canvas.FillRect(Bounds(x + 15, y + 23, 3, 3));
    } else {
        canvas.Pen().SetColor(RGB(0, 0, 128));
        canvas.Brush().SetColor(clWhite);
        canvas.Ellipse(box.Inflate(-1, -1));
        canvas.Font().SetName("Tahoma");
        canvas.Font().SetHeight(-22);
        canvas.Font().SetStyle(fsBold);
        canvas.Font().SetColor(RGB(0, 0, 255));
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        TRect text = box;
        canvas.DrawText(icon == MB_ICONQUESTION ? "?" : "i", text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    canvas.Restore();
}
