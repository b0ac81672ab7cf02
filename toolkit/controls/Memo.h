#pragma once

#include "toolkit/controls/SystemScrollBar.h"
#include "toolkit/controls/WinControl.h"

#include <string>
#include <vector>

// A multi-line text in a sunken frame, with the classic scroll bars inside the frame
// (ScrollBars), word wrapping, a caret and a selection made with the mouse or the keyboard
// (Shift with the arrows, Home, End, PgUp, PgDn; Ctrl+A), wheel and keyboard scrolling, and
// Ctrl+C / Ctrl+Insert copying to the host's clipboard. Positions (SelStart, SelLength) count
// bytes of Text, where a line break is CR LF. Typing edits the text unless ReadOnly.
//
// Scrolling follows the platform's edit control: the vertical bar counts lines (range 0 to
// lines - 1, page = lines that fit), the horizontal one pixels; WM_VSCROLL and WM_HSCROLL take
// the SB_ commands, SB_THUMBPOSITION with its 16-bit position. GetScrollBarInfo and
// GetScrollInfo answer as the platform does for a window's own scroll bars.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The lines, without their breaks; a text ending in a break ends with an empty line.
    std::vector<std::string> Lines() const { return lines_; }
    void SetLines(const std::vector<std::string>& lines);
    int LineCount() const { return static_cast<int>(lines_.size()); }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }

    int SelStart() const { return static_cast<int>(std::min(anchor_, caret_)); }
    int SelLength() const { return static_cast<int>(anchor_ > caret_ ? anchor_ - caret_ : caret_ - anchor_); }
    void SetSelStart(int value);
    void SetSelLength(int value);
    std::string SelText() const;
    void SelectAll();
    void CopyToClipboard();

    // The first line shown, and the horizontal scroll offset in pixels.
    int TopLine() const { return top_; }
    int ScrollX() const { return scrollX_; }
    // Lines as laid out (wrapped) and how many fit.
    int VisualLineCount() const { return static_cast<int>(rows_.size()); }
    int VisibleLines() const;

    bool GetScrollBarInfo(int32_t objectId, TScrollBarInfo& info) override;
    bool GetScrollInfo(int bar, TScrollInfo& info) override;

    TNotifyEvent OnChange;

protected:
    void WndProc(TMessage& message) override;
    void PaintControl(TCanvas& canvas) override;
    void PaintFrame(TCanvas& canvas) override;
    void BoundsChanged(bool resized) override;
    void TextChanged() override;
    void FontChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // One laid-out line: a piece [start, end) of logical line `line` (byte offsets in it).
    struct Row {
        int line;
        size_t start;
        size_t end;
    };

    void ApplyStyle();
    void Relayout();
    void WrapLine(int line, int width, const std::vector<int>& advances, const std::u32string& chars);
    void UpdateBars();
    void Scroll(bool vertical, int command, int position);
    void ScrollTo(int top, int x);
    void ScrollCaretIntoView();
    void EditKey(uint16_t key, TShiftState shift);
    void EditChar(char32_t ch);
    void ReplaceSelection(const std::string& text);
    void MoveCaret(size_t to, bool extend);
    void NcMouse(TMessage& message);

    // Offsets: logical line + byte in it <-> byte in Text.
    size_t LineStart(int line) const;
    size_t OffsetOf(int line, size_t column) const;
    void LineColumnOf(size_t offset, int& line, size_t& column) const;
    int RowOf(size_t offset) const;
    int XOf(int row, size_t column) const;
    size_t OffsetAt(TPoint client) const;
    size_t StepLeft(size_t offset) const;
    size_t StepRight(size_t offset) const;

    TRect TextArea() const;
    int LineHeight() const;

    std::vector<std::string> lines_{std::string()};
    std::vector<Row> rows_;
    int widest_ = 0;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool hideSelection_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    int maxLength_ = 0;
    size_t caret_ = 0;
    size_t anchor_ = 0;
    int desiredX_ = -1;
    int top_ = 0;
    int scrollX_ = 0;
    bool selecting_ = false;
    bool settingText_ = false;
    TSystemScrollBar vbar_{true};
    TSystemScrollBar hbar_{false};
    TSystemScrollBar::Part pressedPart_ = TSystemScrollBar::None;
    bool pressedVertical_ = false;
    int thumbGrab_ = 0;
};
