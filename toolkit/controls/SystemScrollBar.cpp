#include "toolkit/controls/SystemScrollBar.h"

#include "toolkit/controls/Panel.h"
#include "toolkit/graphics/SystemColors.h"
#include "toolkit/messages/Messages.h"

#include <algorithm>

void TSystemScrollBar::SetRange(int min, int max, int page)
{
    min_ = min;
    max_ = std::max(max, min);
    page_ = std::max(page, 0);
    SetPosition(position_);
}

int TSystemScrollBar::MaxPosition() const { return std::max(min_, max_ - std::max(page_, 1) + 1); }

void TSystemScrollBar::SetPosition(int position) { position_ = std::clamp(position, min_, MaxPosition()); }

void TSystemScrollBar::SetTracking(bool tracking, int position)
{
    tracking_ = tracking;
    trackPosition_ = std::clamp(position, min_, MaxPosition());
}

int TSystemScrollBar::ArrowSize() const { return std::min(kSize, Length() / 2); }

bool TSystemScrollBar::ThumbGeometry(int& start, int& length) const
{
    int arrow = ArrowSize();
    int track = Length() - 2 * arrow;
    if (!Available() || track < kMinThumb)
        return false;
    int64_t range = int64_t(max_) - min_ + 1;
    length = static_cast<int>(std::max<int64_t>(int64_t(page_) * track / range, kMinThumb));
    length = std::min(length, track);
    int64_t span = range - page_;
    int pos = TrackPosition() - min_;
    start = arrow + static_cast<int>(span > 0 ? int64_t(track - length) * pos / span : 0);
    return true;
}

int TSystemScrollBar::PositionForThumb(int start) const
{
    int thumbStart = 0, thumbLength = 0;
    if (!ThumbGeometry(thumbStart, thumbLength))
        return position_;
    int arrow = ArrowSize();
    int free = Length() - 2 * arrow - thumbLength;
    if (free <= 0)
        return min_;
    int64_t span = int64_t(max_) - min_ + 1 - page_;
    int64_t offset = std::clamp(start - arrow, 0, free);
    return std::clamp(min_ + static_cast<int>((offset * span + free / 2) / free), min_, MaxPosition());
}

TRect TSystemScrollBar::PartRect(int from, int to) const
{
    if (vertical_)
        return TRect(rect_.Left, rect_.Top + from, rect_.Right, rect_.Top + to);
    return TRect(rect_.Left + from, rect_.Top, rect_.Left + to, rect_.Bottom);
}

TSystemScrollBar::Part TSystemScrollBar::HitTest(TPoint p) const
{
    if (!rect_.Contains(p))
        return None;
    int along = vertical_ ? p.Y - rect_.Top : p.X - rect_.Left;
    int arrow = ArrowSize();
    if (along < arrow)
        return LineUp;
    if (along >= Length() - arrow)
        return LineDown;
    int start = 0, length = 0;
    if (!ThumbGeometry(start, length))
        return None;
    if (along < start)
        return PageUp;
    if (along >= start + length)
        return PageDown;
    return Thumb;
}

void TSystemScrollBar::PaintArrow(TCanvas& canvas, const TRect& r, bool up, bool pressed) const
{
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
    TRect edge = r;
    if (pressed) {
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FrameRect(edge);
    } else {
        Frame3D(canvas, edge, cl3DLight, cl3DDkShadow, 1);
        Frame3D(canvas, edge, clBtnHighlight, clBtnShadow, 1);
    }
    // A triangle of 4 rows (7, 5, 3, 1 pixels), pointing along the bar.
    int cx = r.Left + r.Width() / 2 + (pressed ? 1 : 0);
    int cy = r.Top + r.Height() / 2 + (pressed ? 1 : 0);
    bool enabled = Available();
    auto draw = [&](int dx, int dy, TColor color) {
        canvas.Brush().SetColor(color);
        for (int row = 0; row < 4; ++row) {
            int half = 3 - row;
            int offset = up ? 1 - row : row - 2;
            if (vertical_)
                canvas.FillRect(TRect(cx - half - 1 + dx, cy + offset + dy, cx + half + dx, cy + offset + 1 + dy));
            else
                canvas.FillRect(TRect(cx + offset + dx, cy - half - 1 + dy, cx + offset + 1 + dx, cy + half + dy));
        }
    };
    if (enabled) {
        draw(0, 0, clBtnText);
    } else {
        draw(1, 1, clBtnHighlight);
        draw(0, 0, clBtnShadow);
    }
}

void TSystemScrollBar::Paint(TCanvas& canvas, Part pressed) const
{
    if (!Shown())
        return;
    int arrow = ArrowSize();
    int length = Length();
    PaintArrow(canvas, PartRect(0, arrow), true, pressed == LineUp);
    PaintArrow(canvas, PartRect(length - arrow, length), false, pressed == LineDown);
    TRect track = PartRect(arrow, length - arrow);
    if (track.IsEmpty())
        return;
    // The track: a fine checkerboard of highlight and button face.
    TBitmap pattern(2, 2);
    TColor light = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    pattern.SetPixel(0, 0, light);
    pattern.SetPixel(1, 1, light);
    pattern.SetPixel(1, 0, face);
    pattern.SetPixel(0, 1, face);
    canvas.Brush().SetBitmap(&pattern);
    canvas.FillRect(track);
    canvas.Brush().SetBitmap(nullptr);
    int start = 0, thumb = 0;
    if (!ThumbGeometry(start, thumb))
        return;
    TRect box = PartRect(start, start + thumb);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(box);
    Frame3D(canvas, box, cl3DLight, cl3DDkShadow, 1);
    Frame3D(canvas, box, clBtnHighlight, clBtnShadow, 1);
}

void TSystemScrollBar::FillInfo(TScrollBarInfo& info, TPoint windowOrigin) const
{
    info = TScrollBarInfo();
    if (!Shown()) {
        info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
        return;
    }
    info.rcScrollBar = rect_.Offset(windowOrigin);
    info.dxyLineButton = ArrowSize();
    int start = 0, length = 0;
    if (ThumbGeometry(start, length)) {
        info.xyThumbTop = start;
        info.xyThumbBottom = start + length;
    } else {
        info.xyThumbTop = info.xyThumbBottom = info.dxyLineButton;
    }
    if (!Available())
        for (uint32_t& state : info.rgstate)
            state |= STATE_SYSTEM_UNAVAILABLE;
}

void TSystemScrollBar::FillScrollInfo(TScrollInfo& info) const
{
    info.cbSize = 28;
    info.fMask = SIF_ALL;
    info.nMin = min_;
    info.nMax = max_;
    info.nPage = static_cast<uint32_t>(page_);
    info.nPos = position_;
    info.nTrackPos = TrackPosition();
}
