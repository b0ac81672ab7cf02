#include "toolkit/controls/Memo.h"

#include "toolkit/application/Application.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/Utf8.h"
#include "toolkit/forms/CustomForm.h"
#include "toolkit/graphics/BoxFontEngine.h"
#include "toolkit/graphics/FontEngineSlot.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int kMarginX = 2;
constexpr int kMarginTop = 1;
constexpr int kWheelLines = 3;
constexpr int kHorizontalLine = 8;

// Byte length of the code point starting at s[i], by the same rules the font engine decodes
// with (an invalid byte is one replacement character).
size_t SequenceLength(std::string_view s, size_t i)
{
    auto b0 = static_cast<unsigned char>(s[i]);
    size_t length = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
    if (length <= 1 || i + length > s.size())
        return 1;
    char32_t c = length == 2 ? (b0 & 0x1F) : length == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (size_t k = 1; k < length; ++k) {
        auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 1;
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 1;
    return length;
}

std::vector<size_t> Starts(std::string_view s)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size(); i += SequenceLength(s, i))
        starts.push_back(i);
    starts.push_back(s.size());
    return starts;
}

std::vector<std::string> SplitBreaks(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}


const std::vector<std::string> kScrollStyles = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

}  // namespace

TMemo::TMemo(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
    ApplyStyle();
    SetBounds(0, 0, 185, 89);
}

const TClassInfo& TMemo::StaticClassInfo()
{
    static const TClassInfo info(
        "TMemo", &TWinControl::StaticClassInfo(), [](TComponent* owner) { return new TMemo(owner); }, [](TClassInfo& c) {
            TPublisher<TMemo>(c)
                .Strings("Lines.Strings", &TMemo::Lines, &TMemo::SetLines)
                .Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
                .Enum<TScrollStyle>("ScrollBars", kScrollStyles, &TMemo::ScrollBars, &TMemo::SetScrollBars)
                .Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
                .Boolean("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns)
                .Boolean("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs)
                .Boolean("HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection)
                .Enum<TBorderStyle>("BorderStyle", {"bsNone", "bsSingle"}, &TMemo::BorderStyle, &TMemo::SetBorderStyle)
                .Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength)
                .Event<TNotifyEvent>("OnChange", [](TMemo& m, const TNotifyEvent& e) { m.OnChange = e; });
        });
    return info;
}

// --- Properties -----------------------------------------------------------------------------

void TMemo::SetLines(const std::vector<std::string>& lines) { SetText(Join(lines)); }

void TMemo::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    ApplyStyle();
}

void TMemo::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    scrollX_ = 0;
    Relayout();
    Invalidate();
}

void TMemo::SetHideSelection(bool value)
{
    hideSelection_ = value;
    Invalidate();
}

void TMemo::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value == bsNone ? bsNone : bsSingle;
    ApplyStyle();
}

void TMemo::ApplyStyle()
{
    exStyle_ = borderStyle_ == bsSingle ? (exStyle_ | WS_EX_CLIENTEDGE) : (exStyle_ & ~WS_EX_CLIENTEDGE);
    style_ &= ~(WS_HSCROLL | WS_VSCROLL);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        style_ |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
        style_ |= WS_HSCROLL;
    SetWindowPos(0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Relayout();
    Invalidate();
}

void TMemo::SetSelStart(int value)
{
    size_t size = Text().size();
    caret_ = anchor_ = std::min(static_cast<size_t>(std::max(value, 0)), size);
    Invalidate();
}

void TMemo::SetSelLength(int value)
{
    caret_ = std::min(anchor_ + static_cast<size_t>(std::max(value, 0)), Text().size());
    Invalidate();
}

std::string TMemo::SelText() const { return Text().substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength())); }

void TMemo::SelectAll()
{
    anchor_ = 0;
    caret_ = Text().size();
    Invalidate();
}

void TMemo::CopyToClipboard()
{
    if (SelLength() > 0 && Application)
        Application->Host().SetClipboardText(SelText());
}

// --- Text and layout ------------------------------------------------------------------------

void TMemo::TextChanged()
{
    std::vector<std::string> lines = SplitBreaks(Text());
    std::string normal = Join(lines);
    if (normal != Text()) {
        bool setting = settingText_;
        settingText_ = true;
        SetText(normal);  // lone CR or LF become CR LF, so offsets count every break as two bytes
        settingText_ = setting;
        return;
    }
    lines_ = std::move(lines);
    if (!settingText_) {
        caret_ = anchor_ = 0;
        top_ = scrollX_ = 0;
    }
    caret_ = std::min(caret_, Text().size());
    anchor_ = std::min(anchor_, Text().size());
    Relayout();
    Invalidate();
    if (OnChange && !IsLoading())
        OnChange(this);
}

void TMemo::FontChanged()
{
    Relayout();
    TWinControl::FontChanged();
}

void TMemo::BoundsChanged(bool resized)
{
    TWinControl::BoundsChanged(resized);
    if (resized)
        Relayout();
}

TRect TMemo::TextArea() const
{
    return TRect(kMarginX, kMarginTop, std::max(ClientWidth() - kMarginX, kMarginX), ClientHeight());
}

int TMemo::LineHeight() const { return std::max(CurrentFontEngine().Metrics(Font().Request()).Height(), 1); }

int TMemo::VisibleLines() const { return std::max(TextArea().Height() / LineHeight(), 1); }

void TMemo::Relayout()
{
    rows_.clear();
    widest_ = 0;
    int width = TextArea().Width();
    FontEngine& engine = CurrentFontEngine();
    TFontRequest request = Font().Request();
    for (int i = 0; i < LineCount(); ++i) {
        const std::string& line = lines_[static_cast<size_t>(i)];
        std::vector<int> advances = engine.Advances(request, line);
        widest_ = std::max(widest_, std::accumulate(advances.begin(), advances.end(), 0));
        if (!wordWrap_ || width <= 0 || line.empty())
            rows_.push_back({i, 0, line.size()});
        else
            WrapLine(i, width, advances, DecodeUtf8(line));
    }
    UpdateBars();
}

// Breaks after spaces and on either side of a wide (CJK) character; a word longer than the
// line breaks between characters.
void TMemo::WrapLine(int line, int width, const std::vector<int>& advances, const std::u32string& chars)
{
    std::vector<size_t> starts = Starts(lines_[static_cast<size_t>(line)]);
    size_t n = std::min(chars.size(), advances.size());
    size_t k = 0;
    while (k < n) {
        int x = 0;
        size_t j = k;
        size_t lastBreak = 0;
        while (j < n) {
            if (x + advances[j] > width && j > k && chars[j] != U' ')
                break;
            x += advances[j];
            bool breakAfter = chars[j] == U' ' || TBoxFontEngine::IsWide(chars[j]) ||
                              (j + 1 < n && TBoxFontEngine::IsWide(chars[j + 1]));
            ++j;
            if (breakAfter)
                lastBreak = j;
        }
        if (j < n && lastBreak > k)
            j = lastBreak;
        rows_.push_back({line, starts[k], starts[j]});
        k = j;
    }
}

void TMemo::UpdateBars()
{
    int rows = std::max(VisualLineCount(), 1);
    int visible = VisibleLines();
    top_ = std::clamp(top_, 0, std::max(rows - visible, 0));
    int area = TextArea().Width();
    int content = wordWrap_ ? 0 : widest_ + 2 * kMarginX;
    scrollX_ = std::clamp(scrollX_, 0, std::max(content - area, 0));

    vbar_.SetRange(0, rows - 1, visible);
    vbar_.SetPosition(top_);
    hbar_.SetRange(0, std::max(content - 1, 0), std::max(area, 0));
    hbar_.SetPosition(scrollX_);

    TRect inner(0, 0, Width(), Height());
    if (exStyle_ & WS_EX_CLIENTEDGE)
        inner = inner.Inflate(-2, -2);
    inner = inner.Inflate(-BorderWidth(), -BorderWidth());
    bool v = (style_ & WS_VSCROLL) != 0, h = (style_ & WS_HSCROLL) != 0;
    int size = TSystemScrollBar::kSize;
    vbar_.SetRect(v ? TRect(inner.Right - size, inner.Top, inner.Right, inner.Bottom - (h ? size : 0)) : TRect());
    hbar_.SetRect(h ? TRect(inner.Left, inner.Bottom - size, inner.Right - (v ? size : 0), inner.Bottom) : TRect());
}

// --- Offsets --------------------------------------------------------------------------------

size_t TMemo::LineStart(int line) const
{
    size_t offset = 0;
    for (int i = 0; i < line && i < LineCount(); ++i)
        offset += lines_[static_cast<size_t>(i)].size() + 2;
    return offset;
}

size_t TMemo::OffsetOf(int line, size_t column) const { return LineStart(line) + column; }

void TMemo::LineColumnOf(size_t offset, int& line, size_t& column) const
{
    size_t start = 0;
    for (int i = 0; i < LineCount(); ++i) {
        size_t length = lines_[static_cast<size_t>(i)].size();
        if (offset <= start + length || i == LineCount() - 1) {
            line = i;
            column = std::min(offset - std::min(offset, start), length);
            return;
        }
        start += length + 2;
    }
    line = 0;
    column = 0;
}

int TMemo::RowOf(size_t offset) const
{
    int line = 0;
    size_t column = 0;
    LineColumnOf(offset, line, column);
    int found = 0;
    for (int r = 0; r < VisualLineCount(); ++r) {
        const Row& row = rows_[static_cast<size_t>(r)];
        if (row.line != line)
            continue;
        found = r;
        if (column < row.end)
            return r;
    }
    return found;
}

int TMemo::XOf(int row, size_t column) const
{
    const Row& r = rows_[static_cast<size_t>(row)];
    const std::string& line = lines_[static_cast<size_t>(r.line)];
    size_t end = std::clamp(column, r.start, r.end);
    std::vector<int> advances = CurrentFontEngine().Advances(Font().Request(), std::string_view(line).substr(r.start, end - r.start));
    return std::accumulate(advances.begin(), advances.end(), 0);
}

size_t TMemo::OffsetAt(TPoint client) const
{
    if (rows_.empty())
        return 0;
    TRect area = TextArea();
    int y = client.Y - area.Top;
    int row = std::clamp(top_ + (y < 0 ? -1 : y / LineHeight()), 0, VisualLineCount() - 1);
    const Row& r = rows_[static_cast<size_t>(row)];
    std::string_view piece = std::string_view(lines_[static_cast<size_t>(r.line)]).substr(r.start, r.end - r.start);
    std::vector<int> advances = CurrentFontEngine().Advances(Font().Request(), piece);
    std::vector<size_t> starts = Starts(piece);
    int x = client.X - area.Left + scrollX_;
    int at = 0;
    size_t column = piece.size();
    for (size_t k = 0; k + 1 < starts.size() && k < advances.size(); ++k) {
        if (x < at + advances[k] / 2) {
            column = starts[k];
            break;
        }
        at += advances[k];
    }
    // A wrapped row's last position belongs to the next row; stay on this one.
    if (column == piece.size() && r.end < lines_[static_cast<size_t>(r.line)].size() && !starts.empty() && starts.size() >= 2)
        column = starts[starts.size() - 2];
    return OffsetOf(r.line, r.start + column);
}

size_t TMemo::StepLeft(size_t offset) const
{
    if (offset == 0)
        return 0;
    const std::string& text = Text();
    if (offset >= 2 && text[offset - 1] == '\n' && text[offset - 2] == '\r')
        return offset - 2;
    size_t i = offset - 1;
    while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80 && offset - i < 4)
        --i;
    return SequenceLength(text, i) == offset - i ? i : offset - 1;
}

size_t TMemo::StepRight(size_t offset) const
{
    const std::string& text = Text();
    if (offset >= text.size())
        return text.size();
    if (text[offset] == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n')
        return offset + 2;
    return offset + SequenceLength(text, offset);
}

// --- Scrolling ------------------------------------------------------------------------------

void TMemo::ScrollTo(int top, int x)
{
    int oldTop = top_, oldX = scrollX_;
    top_ = top;
    scrollX_ = x;
    UpdateBars();
    if (top_ != oldTop || scrollX_ != oldX)
        Invalidate();
}

void TMemo::Scroll(bool vertical, int command, int position)
{
    TSystemScrollBar& bar = vertical ? vbar_ : hbar_;
    int current = vertical ? top_ : scrollX_;
    int line = vertical ? 1 : kHorizontalLine;
    int page = std::max(bar.Page(), 1);
    switch (command) {
    case SB_LINEUP:
        current -= line;
        break;
    case SB_LINEDOWN:
        current += line;
        break;
    case SB_PAGEUP:
        current -= page;
        break;
    case SB_PAGEDOWN:
        current += page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        current = position;
        break;
    case SB_TOP:
        current = 0;
        break;
    case SB_BOTTOM:
        current = bar.MaxPosition();
        break;
    default:
        return;
    }
    if (vertical)
        ScrollTo(current, scrollX_);
    else
        ScrollTo(top_, current);
}

void TMemo::ScrollCaretIntoView()
{
    if (rows_.empty())
        return;
    int row = RowOf(caret_);
    int top = top_;
    int visible = VisibleLines();
    if (row < top)
        top = row;
    else if (row >= top + visible)
        top = row - visible + 1;
    int x = scrollX_;
    if (!wordWrap_) {
        int line = 0;
        size_t column = 0;
        LineColumnOf(caret_, line, column);
        int caretX = XOf(row, column);
        int area = TextArea().Width();
        if (caretX < x)
            x = caretX;
        else if (caretX >= x + area)
            x = caretX - area + 1;
    }
    ScrollTo(top, x);
}

void TMemo::MoveCaret(size_t to, bool extend)
{
    caret_ = std::min(to, Text().size());
    if (!extend)
        anchor_ = caret_;
    ScrollCaretIntoView();
    Invalidate();
}

// --- Input ----------------------------------------------------------------------------------

void TMemo::EditKey(uint16_t key, TShiftState shift)
{
    bool extend = (shift & ssShift) != 0;
    bool ctrl = (shift & ssCtrl) != 0;
    int row = RowOf(caret_);
    auto rowOffset = [&](int r, int x) {
        r = std::clamp(r, 0, std::max(VisualLineCount() - 1, 0));
        TRect area = TextArea();
        return OffsetAt(TPoint(x + area.Left - scrollX_, area.Top + (r - top_) * LineHeight()));
    };
    auto caretX = [&] {
        int line = 0;
        size_t column = 0;
        LineColumnOf(caret_, line, column);
        return XOf(row, column);
    };
    bool vertical = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
    if (vertical && desiredX_ < 0)
        desiredX_ = caretX();
    if (!vertical)
        desiredX_ = -1;
    switch (key) {
    case VK_LEFT:
        if (!extend && SelLength() > 0)
            MoveCaret(static_cast<size_t>(SelStart()), false);
        else
            MoveCaret(StepLeft(caret_), extend);
        break;
    case VK_RIGHT:
        if (!extend && SelLength() > 0)
            MoveCaret(static_cast<size_t>(SelStart() + SelLength()), false);
        else
            MoveCaret(StepRight(caret_), extend);
        break;
    case VK_UP:
        if (row > 0)
            MoveCaret(rowOffset(row - 1, desiredX_), extend);
        break;
    case VK_DOWN:
        if (row + 1 < VisualLineCount())
            MoveCaret(rowOffset(row + 1, desiredX_), extend);
        break;
    case VK_PRIOR:
        ScrollTo(top_ - VisibleLines(), scrollX_);
        MoveCaret(rowOffset(row - VisibleLines(), desiredX_), extend);
        break;
    case VK_NEXT:
        ScrollTo(top_ + VisibleLines(), scrollX_);
        MoveCaret(rowOffset(row + VisibleLines(), desiredX_), extend);
        break;
    case VK_HOME:
        if (ctrl)
            MoveCaret(0, extend);
        else if (!rows_.empty())
            MoveCaret(OffsetOf(rows_[static_cast<size_t>(row)].line, rows_[static_cast<size_t>(row)].start), extend);
        break;
    case VK_END:
        if (ctrl)
            MoveCaret(Text().size(), extend);
        else if (!rows_.empty())
            MoveCaret(OffsetOf(rows_[static_cast<size_t>(row)].line, rows_[static_cast<size_t>(row)].end), extend);
        break;
    case VK_DELETE:
        if (!readOnly_) {
            if (SelLength() == 0)
                caret_ = StepRight(caret_);
            ReplaceSelection(std::string());
        }
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        break;
    case 'A':
        if (ctrl)
            SelectAll();
        break;
    case 'C':
        if (ctrl)
            CopyToClipboard();
        break;
    case 'X':
        if (ctrl && !readOnly_) {
            CopyToClipboard();
            ReplaceSelection(std::string());
        }
        break;
    default:
        break;
    }
}

void TMemo::EditChar(char32_t ch)
{
    if (readOnly_)
        return;
    if (ch == 8) {
        if (SelLength() == 0)
            caret_ = StepLeft(caret_);
        ReplaceSelection(std::string());
    } else if (ch == 13) {
        if (wantReturns_)
            ReplaceSelection("\r\n");
    } else if (ch == 9) {
        if (wantTabs_)
            ReplaceSelection("\t");
    } else if (ch >= 32) {
        ReplaceSelection(EncodeUtf8(ch));
    }
}

void TMemo::ReplaceSelection(const std::string& text)
{
    size_t start = static_cast<size_t>(SelStart());
    size_t length = static_cast<size_t>(SelLength());
    std::string full = Text();
    if (maxLength_ > 0 && full.size() - length + text.size() > static_cast<size_t>(maxLength_))
        return;
    full.replace(start, length, text);
    caret_ = anchor_ = start + text.size();
    settingText_ = true;
    SetText(full);
    settingText_ = false;
    ScrollCaretIntoView();
}

void TMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        desiredX_ = -1;
        MoveCaret(OffsetAt(TPoint(x, y)), (shift & ssShift) != 0);
        selecting_ = true;
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TMemo::MouseMove(TShiftState shift, int x, int y)
{
    if (selecting_) {
        TRect area = TextArea();
        if (y < area.Top)
            ScrollTo(top_ - 1, scrollX_);
        else if (y >= area.Bottom)
            ScrollTo(top_ + 1, scrollX_);
        caret_ = OffsetAt(TPoint(x, std::clamp(y, area.Top, std::max(area.Bottom - 1, area.Top))));
        ScrollCaretIntoView();
        Invalidate();
    }
    TWinControl::MouseMove(shift, x, y);
}

void TMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        selecting_ = false;
    TWinControl::MouseUp(button, shift, x, y);
}

// Presses on the scroll bars in the frame. They work through WM_HSCROLL and WM_VSCROLL, so
// whoever watches the memo's messages sees every scroll.
void TMemo::NcMouse(TMessage& message)
{
    TPoint p = TPoint(XFromLParam(message.LParam), YFromLParam(message.LParam)) + clientRect_.TopLeft();
    auto send = [&](bool vertical, int command, int position) {
        Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MakeWParam(command, position), 0);
    };
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
        for (TSystemScrollBar* bar : {&vbar_, &hbar_}) {
            TSystemScrollBar::Part part = bar->HitTest(p);
            if (part == TSystemScrollBar::None)
                continue;
            pressedPart_ = part;
            pressedVertical_ = bar->Vertical();
            SetMouseCapture(true);
            int start = 0, length = 0;
            switch (part) {
            case TSystemScrollBar::LineUp:
                send(bar->Vertical(), SB_LINEUP, 0);
                break;
            case TSystemScrollBar::LineDown:
                send(bar->Vertical(), SB_LINEDOWN, 0);
                break;
            case TSystemScrollBar::PageUp:
                send(bar->Vertical(), SB_PAGEUP, 0);
                break;
            case TSystemScrollBar::PageDown:
                send(bar->Vertical(), SB_PAGEDOWN, 0);
                break;
            default:
                bar->ThumbGeometry(start, length);
                thumbGrab_ = (bar->Vertical() ? p.Y - bar->Rect().Top : p.X - bar->Rect().Left) - start;
                bar->SetTracking(true, bar->Position());
                break;
            }
            Invalidate();
            return;
        }
        return;
    }
    TSystemScrollBar& bar = pressedVertical_ ? vbar_ : hbar_;
    if (message.Msg == WM_MOUSEMOVE) {
        if (pressedPart_ == TSystemScrollBar::Thumb) {
            int along = pressedVertical_ ? p.Y - bar.Rect().Top : p.X - bar.Rect().Left;
            int position = bar.PositionForThumb(along - thumbGrab_);
            if (position != bar.TrackPosition()) {
                bar.SetTracking(true, position);
                send(pressedVertical_, SB_THUMBTRACK, position);
            }
        }
        return;
    }
    if (message.Msg == WM_LBUTTONUP) {
        if (pressedPart_ == TSystemScrollBar::Thumb) {
            int position = bar.TrackPosition();
            bar.SetTracking(false);
            send(pressedVertical_, SB_THUMBPOSITION, position);
        }
        send(pressedVertical_, SB_ENDSCROLL, 0);
        pressedPart_ = TSystemScrollBar::None;
        SetMouseCapture(false);
        Invalidate();
    }
}

void TMemo::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        TPoint p(XFromLParam(message.LParam), YFromLParam(message.LParam));
        bool inFrame = !TRect(0, 0, ClientWidth(), ClientHeight()).Contains(p);
        if (pressedPart_ != TSystemScrollBar::None || (inFrame && !selecting_ && message.Msg != WM_MOUSEMOVE &&
                                                       message.Msg != WM_LBUTTONUP)) {
            NcMouse(message);
            return;
        }
        TWinControl::WndProc(message);
        return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        TWinControl::WndProc(message);
        if (message.Result == 0)
            EditKey(static_cast<uint16_t>(message.WParam), KeyDataToShiftState(message.LParam));
        return;
    case WM_CHAR:
        TWinControl::WndProc(message);
        if (message.Result == 0)
            EditChar(static_cast<char32_t>(message.WParam));
        return;
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | (wantReturns_ ? DLGC_WANTALLKEYS : 0) |
                         (wantTabs_ ? DLGC_WANTTAB : 0);
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        Scroll(message.Msg == WM_VSCROLL, LoWord(message.WParam), static_cast<int16_t>(HiWord(message.WParam)));
        return;
    case WM_MOUSEWHEEL: {
        int delta = static_cast<int16_t>(HiWord(message.WParam));
        ScrollTo(top_ - delta * kWheelLines / WHEEL_DELTA, scrollX_);
        message.Result = 1;
        return;
    }
    case WM_COPY:
        CopyToClipboard();
        return;
    case EM_GETSEL: {
        auto start = static_cast<uint32_t>(SelStart()), end = static_cast<uint32_t>(SelStart() + SelLength());
        if (message.WParam)
            *reinterpret_cast<uint32_t*>(message.WParam) = start;
        if (message.LParam)
            *reinterpret_cast<uint32_t*>(message.LParam) = end;
        message.Result = MakeLParam(static_cast<int>(start), static_cast<int>(end));
        return;
    }
    case EM_SETSEL: {
        auto size = static_cast<int64_t>(Text().size());
        auto clampOffset = [&](int64_t v) { return static_cast<size_t>(v < 0 ? size : std::min(v, size)); };
        anchor_ = clampOffset(static_cast<int32_t>(message.WParam));
        caret_ = clampOffset(static_cast<int32_t>(message.LParam));
        Invalidate();
        return;
    }
    case EM_LINESCROLL:
        ScrollTo(top_ + static_cast<int>(message.LParam), scrollX_ + static_cast<int>(message.WParam) * kHorizontalLine);
        message.Result = 1;
        return;
    case EM_GETFIRSTVISIBLELINE:
        message.Result = top_;
        return;
    case EM_GETLINECOUNT:
        message.Result = std::max(VisualLineCount(), 1);
        return;
    case EM_SCROLLCARET:
        ScrollCaretIntoView();
        return;
    case CM_CANCELMODE:
        selecting_ = false;
        TWinControl::WndProc(message);
        return;
    default:
        TWinControl::WndProc(message);
    }
}

// --- Scroll-bar queries ----------------------------------------------------------------------

bool TMemo::GetScrollBarInfo(int32_t objectId, TScrollBarInfo& info)
{
    const TSystemScrollBar* bar = objectId == OBJID_VSCROLL ? &vbar_ : objectId == OBJID_HSCROLL ? &hbar_ : nullptr;
    if (!bar)
        return false;
    TPoint origin = ClientToScreen(TPoint(0, 0)) - clientRect_.TopLeft();
    bar->FillInfo(info, origin);
    if (!Enabled())
        for (uint32_t& state : info.rgstate)
            state |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

bool TMemo::GetScrollInfo(int bar, TScrollInfo& info)
{
    const TSystemScrollBar& b = bar == SB_VERT ? vbar_ : hbar_;
    if (!b.Shown())
        return false;
    b.FillScrollInfo(info);
    return true;
}

// --- Painting -------------------------------------------------------------------------------

void TMemo::PaintFrame(TCanvas& canvas)
{
    TRect rect(0, 0, Width(), Height());
    if (exStyle_ & WS_EX_CLIENTEDGE) {
        Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, rect, cl3DDkShadow, cl3DLight, 1);
    }
    if (BorderWidth() > 0) {
        canvas.Brush().SetColor(Color());
        TRect client = clientRect_;
        canvas.FillRect(TRect(rect.Left, rect.Top, rect.Right, client.Top));
        canvas.FillRect(TRect(rect.Left, client.Bottom, rect.Right, rect.Bottom));
        canvas.FillRect(TRect(rect.Left, client.Top, client.Left, client.Bottom));
        canvas.FillRect(TRect(client.Right, client.Top, rect.Right, client.Bottom));
    }
    bool vPressed = pressedVertical_;
    vbar_.Paint(canvas, vPressed ? pressedPart_ : TSystemScrollBar::None);
    hbar_.Paint(canvas, vPressed ? TSystemScrollBar::None : pressedPart_);
    if (vbar_.Shown() && hbar_.Shown()) {
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(TRect(vbar_.Rect().Left, hbar_.Rect().Top, vbar_.Rect().Right, hbar_.Rect().Bottom));
    }
}

void TMemo::PaintControl(TCanvas& canvas)
{
    TRect client(0, 0, ClientWidth(), ClientHeight());
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
    canvas.Save();
    TRect area = TextArea();
    canvas.IntersectClip(TRect(area.Left, 0, area.Right, client.Bottom));
    canvas.SetFont(Font());
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    int lineHeight = LineHeight();
    size_t selStart = static_cast<size_t>(SelStart()), selEnd = selStart + static_cast<size_t>(SelLength());
    bool showSelection = selEnd > selStart && (Focused() || !hideSelection_);
    int y = area.Top;
    for (int r = top_; r < VisualLineCount() && y < area.Bottom; ++r, y += lineHeight) {
        const Row& row = rows_[static_cast<size_t>(r)];
        std::string_view line = lines_[static_cast<size_t>(row.line)];
        std::string_view piece = line.substr(row.start, row.end - row.start);
        int x0 = area.Left - scrollX_;
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        canvas.TextOut(x0, y, piece);
        if (!showSelection)
            continue;
        size_t rowStart = OffsetOf(row.line, row.start), rowEnd = OffsetOf(row.line, row.end);
        size_t a = std::max(selStart, rowStart), b = std::min(selEnd, rowEnd);
        if (a >= b)
            continue;
        int xa = x0 + XOf(r, a - LineStart(row.line)), xb = x0 + XOf(r, b - LineStart(row.line));
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(TRect(xa, y, xb, y + lineHeight));
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        TColor color = canvas.Font().Color();
        canvas.Font().SetColor(clHighlightText);
        canvas.TextOut(xa, y, line.substr(a - LineStart(row.line), b - a));
        canvas.Font().SetColor(color);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (Focused() && !rows_.empty()) {
        int row = RowOf(caret_);
        int line = 0;
        size_t column = 0;
        LineColumnOf(caret_, line, column);
        int cy = area.Top + (row - top_) * lineHeight;
        int cx = area.Left - scrollX_ + XOf(row, column);
        if (row >= top_ && cy < area.Bottom)
            canvas.InvertRect(TRect(cx, cy, cx + 1, cy + lineHeight));
    }
    canvas.Restore();
}
