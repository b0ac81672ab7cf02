#pragma once

#include "toolkit/controls/ScrollInfo.h"
#include "toolkit/graphics/Canvas.h"

// The classic scroll bar that a framed control keeps in its frame: two arrow buttons, a dotted
// track and a thumb as long as the page is to the range. It holds the scroll state (range, page,
// position), lays itself out in a rectangle, paints, hit-tests and answers the scroll-bar
// information queries. The bar is unavailable (greyed, no thumb) while the page shows the
// whole range.
class TSystemScrollBar {
public:
    enum Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };
    static constexpr int kSize = 16;
    static constexpr int kMinThumb = 8;

    explicit TSystemScrollBar(bool vertical) : vertical_(vertical) {}

    bool Vertical() const { return vertical_; }
    // The bar's rectangle in its control's window coordinates; empty when the bar is not shown.
    const TRect& Rect() const { return rect_; }
    void SetRect(const TRect& rect) { rect_ = rect; }
    bool Shown() const { return !rect_.IsEmpty(); }

    // Position is kept between Min and the last position that still fills a page.
    void SetRange(int min, int max, int page);
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Page() const { return page_; }
    int Position() const { return position_; }
    int MaxPosition() const;
    bool Available() const { return max_ - min_ + 1 > page_; }
    // While the thumb is dragged: the position it stands for.
    int TrackPosition() const { return tracking_ ? trackPosition_ : position_; }
    void SetTracking(bool tracking, int position = 0);

    int ArrowSize() const;
    // The thumb's start and length along the bar, from the bar's start; false without a thumb.
    bool ThumbGeometry(int& start, int& length) const;
    Part HitTest(TPoint p) const;
    // The position a thumb starting at `start` (from the bar's start) stands for.
    int PositionForThumb(int start) const;

    void Paint(TCanvas& canvas, Part pressed) const;
    // windowOrigin: the control window's top-left on the screen.
    void FillInfo(TScrollBarInfo& info, TPoint windowOrigin) const;
    void FillScrollInfo(TScrollInfo& info) const;

private:
    int Length() const { return vertical_ ? rect_.Height() : rect_.Width(); }
    TRect PartRect(int from, int to) const;
    void PaintArrow(TCanvas& canvas, const TRect& r, bool up, bool pressed) const;

    bool vertical_;
    TRect rect_;
    int min_ = 0;
    int max_ = 0;
    int page_ = 0;
    int position_ = 0;
    bool tracking_ = false;
    int trackPosition_ = 0;
};
