#include "skin/controls/Memo.h"

#include "skin/controls/ScrollBar.h"
#include "skin/themes/ControlHelpers.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kBorderWidth = 2;

} // namespace

TsuiMemo::TsuiMemo(TComponent* owner) : TMemo(owner)
{
    SetBorderStyle(bsNone);
    SetBorderWidth(kBorderWidth);
    SetUIStyle(GetDefaultUIStyle(owner));
}

TsuiMemo::~TsuiMemo()
{
    // The bars outlive the memo on its parent; they must not call back into it.
    for (TsuiScrollBar* bar : {vScrollBar_, hScrollBar_})
        if (bar)
            bar->SetOnChange(nullptr);
}

const TClassInfo& TsuiMemo::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiMemo", &TMemo::StaticClassInfo(), [](TComponent* owner) { return new TsuiMemo(owner); },
        [](TClassInfo& c) {
            using M = TsuiMemo;
            TPublisher<M>(c)
                .Component<TsuiFileTheme>("FileTheme", &M::FileTheme, &M::SetFileTheme)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &M::UIStyle, &M::SetUIStyle)
                .Color("BorderColor", &M::BorderColor, &M::SetBorderColor)
                .Component<TsuiScrollBar>("VScrollBar", &M::VScrollBar, &M::SetVScrollBar)
                .Component<TsuiScrollBar>("HScrollBar", &M::HScrollBar, &M::SetHScrollBar);
        });
    return info;
}

// --- Looks ----------------------------------------------------------------------------------

void TsuiMemo::SetBorderColor(TColor value)
{
    borderColor_ = value;
    Repaint();
}

void TsuiMemo::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    TsuiUIStyle effective;
    const bool themed = UsesFileTheme(fileTheme_, value, effective);
    if (themed)
        borderColor_ = fileTheme_->GetColor(SKIN2_CONTROLBORDERCOLOR);
    else
        borderColor_ = GetStyleColor(effective, STYLE_CONTROL_BORDER_COLOR);
    for (TsuiScrollBar* bar : {vScrollBar_, hScrollBar_})
        if (bar)
            bar->SetUIStyle(themed ? FromThemeFile : effective);
    Repaint();
}

void TsuiMemo::SetFileTheme(TsuiFileTheme* value)
{
    ReplaceReference(fileTheme_, value);
    for (TsuiScrollBar* bar : {vScrollBar_, hScrollBar_})
        if (bar)
            bar->SetFileTheme(value);
    SetUIStyle(uiStyle_);
}

void TsuiMemo::DrawBorder()
{
    DrawWindowBorder(WindowCanvas(), TSize(Width(), Height()), borderColor_, Color(), true);
}

// --- Attaching bars -------------------------------------------------------------------------

void TsuiMemo::SetVScrollBar(TsuiScrollBar* value) { AttachBar(vScrollBar_, value, true); }
void TsuiMemo::SetHScrollBar(TsuiScrollBar* value) { AttachBar(hScrollBar_, value, false); }

// A detached bar goes back to how a new one behaves: its own thumb length, the usual range.
void TsuiMemo::DetachBar(TsuiScrollBar* bar)
{
    bar->SetOnChange(nullptr);
    bar->SetLineButton(0);
    bar->SetMax(100);
    bar->SetEnabled(true);
    if (bar != vScrollBar_ && bar != hScrollBar_)
        RemoveFreeNotification(bar);
}

void TsuiMemo::AttachBar(TsuiScrollBar*& slot, TsuiScrollBar* value, bool vertical)
{
    if (slot == value)
        return;
    TsuiScrollBar* old = slot;
    slot = value;
    if (old)
        DetachBar(old);
    if (!value) {
        RecomputeScrollBars();
        return;
    }
    FreeNotification(value);
    value->SetOrientation(vertical ? suiVertical : suiHorizontal);
    value->SetOnChange([this, vertical](TObject*) { ScrollFromBar(vertical); });
    value->BringToFront();
    RecomputeScrollBars();
    PlaceBars();
}

void TsuiMemo::RecomputeScrollBars()
{
    if (vScrollBar_ && hScrollBar_)
        SetScrollBars(ssBoth);
    else if (vScrollBar_)
        SetScrollBars(ssVertical);
    else if (hScrollBar_)
        SetScrollBars(ssHorizontal);
    else
        SetScrollBars(ssNone);
}

void TsuiMemo::Notification(TComponent* component, TOperation operation)
{
    TMemo::Notification(component, operation);
    if (operation != opRemove || !component)
        return;
    if (component == vScrollBar_ || component == hScrollBar_) {
        (component == vScrollBar_ ? vScrollBar_ : hScrollBar_) = nullptr;
        if (!IsDestroying())
            RecomputeScrollBars();
    }
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        if (IsDestroying())
            uiStyle_ = DeepBlue;
        else
            SetUIStyle(DeepBlue);
    }
}

// --- Placing and updating the bars ----------------------------------------------------------

// The toolkit knows no right-to-left (Middle East) system locale, so layouts always run left to
// right; the mirrored placement stays for a toolkit that does.
bool TsuiMemo::RightToLeft() const
{
    constexpr bool middleEastLocale = false;
    return middleEastLocale && (BiDiMode() == bdRightToLeft || BiDiMode() == bdRightToLeftNoAlign);
}

void TsuiMemo::PlaceBars()
{
    const bool rtl = RightToLeft();
    if (hScrollBar_) {
        TsuiScrollBar& bar = *hScrollBar_;
        // A hidden memo keeps its bars hidden, whatever its size.
        bar.SetVisible(Visible() && Height() >= bar.Height());
        const int top = Top() + Height() - bar.Height() - 2;
        const int vWidth = vScrollBar_ ? vScrollBar_->Width() : 0;
        if (!rtl)
            bar.SetBounds(Left() + 1, top, vScrollBar_ ? Width() - vWidth - 1 : Width() - 1, bar.Height());
        else if (vScrollBar_)
            bar.SetBounds(Left() + vWidth + 1, top, Width() - vWidth - 2, bar.Height());
        else
            bar.SetBounds(Left() + 1, top, Width() - 2, bar.Height());
    }
    if (vScrollBar_) {
        TsuiScrollBar& bar = *vScrollBar_;
        bar.SetVisible(Visible() && Width() >= bar.Width());
        const int left = rtl ? Left() + 2 : Left() + Width() - bar.Width() - 2;
        const int height = hScrollBar_ ? Height() - hScrollBar_->Height() - 2 : Height() - 2;
        bar.SetBounds(left, Top() + 1, bar.Width(), height);
    }
    UpdateScrollBars();
}

void TsuiMemo::UpdateScrollBars()
{
    if (drivingText_)
        return;
    updatingBars_ = true;
    if (hScrollBar_)
        UpdateBar(*hScrollBar_, false);
    if (vScrollBar_)
        UpdateBar(*vScrollBar_, true);
    updatingBars_ = false;
}

void TsuiMemo::UpdateBar(TsuiScrollBar& bar, bool vertical)
{
    TScrollBarInfo barInfo;
    if (!GetScrollBarInfoSafe(this, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, barInfo)) {
        bar.SetVisible(false);
    } else if (!(barInfo.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) && Enabled()) {
        // The skinned thumb as long as the system one.
        bar.SetLineButton(std::abs(barInfo.xyThumbBottom - barInfo.xyThumbTop));
        if (!vertical)
            bar.SetSmallChange(uint16_t((3 * int64_t(bar.PageSize())) & 0xFFFF));
        bar.SetEnabled(true);
        bar.SetThumbVisible(true);
    } else {
        bar.SetLineButton(0);
        bar.SetEnabled(false);
        bar.SetThumbVisible(false);
    }
    TScrollInfo info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(vertical ? SB_VERT : SB_HORZ, info))
        info = TScrollInfo();
    bar.SetMax(int(int64_t(info.nMax) - int64_t(info.nPage) + 1));
    bar.SetMin(info.nMin);
    bar.SetPosition(info.nPos);
}

void TsuiMemo::ScrollFromBar(bool vertical)
{
    if (updatingBars_)
        return;
    TsuiScrollBar* bar = vertical ? vScrollBar_ : hScrollBar_;
    if (!bar)
        return;
    drivingText_ = true;
    // The command carries 16 bits of position, as the message format has it.
    Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MakeWParam(SB_THUMBPOSITION, bar->Position()), 0);
    Invalidate();
    drivingText_ = false;
}

// --- Messages -------------------------------------------------------------------------------

void TsuiMemo::Loaded()
{
    TMemo::Loaded();
    PlaceBars();
}

void TsuiMemo::BoundsChanged(bool resized)
{
    TMemo::BoundsChanged(resized);
    PlaceBars();
}

void TsuiMemo::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        TMemo::WndProc(message);
        if (!drivingText_)
            UpdateScrollBars();
        return;
    case WM_LBUTTONDOWN:
        TMemo::WndProc(message);
        mouseSelecting_ = true;
        UpdateScrollBars();
        return;
    case WM_LBUTTONUP:
        TMemo::WndProc(message);
        mouseSelecting_ = false;
        return;
    case WM_MOUSEMOVE:
        TMemo::WndProc(message);
        if (mouseSelecting_)
            UpdateScrollBars();
        return;
    case WM_KEYDOWN:
    // Typed characters edit (and scroll) the text after their key-down has been handled.
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_SETTEXT:
    case CM_TEXTCHANGED:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case CM_ENABLEDCHANGED:
        TMemo::WndProc(message);
        UpdateScrollBars();
        return;
    case CM_VISIBLECHANGED:
        TMemo::WndProc(message);
        if (Visible()) {
            PlaceBars();
        } else {
            for (TsuiScrollBar* bar : {vScrollBar_, hScrollBar_})
                if (bar)
                    bar->SetVisible(false);
        }
        return;
    case WM_NCPAINT:
        TMemo::WndProc(message);
        DrawBorder();
        return;
    default:
        TMemo::WndProc(message);
    }
}
