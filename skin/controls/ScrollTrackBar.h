#pragma once

#include "skin/controls/ProgressBar.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"

#include <memory>

class TBitmap;
class TTimer;
class TsuiImagePanel;

// The track between the arrows of a skinned scroll bar: it holds the range and the value,
// places the thumb, pages while the left button is held on it and lets the thumb be dragged.
// Min <= Position <= Max always holds. It never takes the focus and has no tick marks.
class TsuiScrollTrackBar : public TCustomControl {
public:
    explicit TsuiScrollTrackBar(TComponent* owner);
    ~TsuiScrollTrackBar() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Clamped into [Min, Max]; OnChange fires when the value differs from the last one reported.
    int Position() const { return position_; }
    void SetPosition(int value);
    // A Max below Min is raised to Min, a Min above Max lowered to Max; Position follows.
    int Max() const { return max_; }
    void SetMax(int value);
    int Min() const { return min_; }
    void SetMin(int value);
    // Only 0 .. Max is taken; anything else is ignored.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation value) { orientation_ = value; }

    TsuiImagePanel* Thumb() const { return thumb_; }
    // The thumb takes the picture (and its size); it moves at the next change of the value.
    void SetThumbPicture(const TBitmap& picture);
    void PlaceThumb();

    // Lengths along the axis.
    int TrackLength() const;
    int ThumbLength() const;
    // Where the thumb starts along the axis for the current value.
    int ThumbOffset() const;
    // The value a pointer at `along` (track pixels) stands for, given where the thumb was last
    // grabbed; 0 when the thumb fills the track. Not clamped.
    int PositionFromPoint(int along) const;

    bool Dragging() const { return dragging_; }
    bool Paging() const { return pagingTimer_ != nullptr; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int Along(int x, int y) const { return orientation_ == suiHorizontal ? x : y; }
    void ValueChanged();
    void PageToward(int along, int step);
    void PagingTick();
    void StopPaging();
    void ThumbMouseDown(TMouseButton button, TShiftState shift, int x, int y);

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 2;
    TsuiProgressBarOrientation orientation_ = suiHorizontal;
    TsuiImagePanel* thumb_ = nullptr;
    int lastReported_ = 0;
    int grabOffset_ = 0;
    bool dragging_ = false;
    std::unique_ptr<TTimer> pagingTimer_;
};
