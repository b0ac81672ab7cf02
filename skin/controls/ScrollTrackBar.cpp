#include "skin/controls/ScrollTrackBar.h"

#include "skin/controls/ImagePanel.h"
#include "skin/controls/PaintSupport.h"
#include "skin/themes/ControlHelpers.h"
#include "toolkit/application/Application.h"
#include "toolkit/application/Timer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr uint32_t kPagingInterval = 100;

// The nearest integer, halves going to the even neighbour, kept inside the int range.
int RoundHalfEven(double value)
{
    if (!(value == value))
        return 0;
    value = std::clamp(value, double(INT_MIN), double(INT_MAX));
    const double floor = std::floor(value);
    const double rest = value - floor;
    double result = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return int(std::clamp(result, double(INT_MIN), double(INT_MAX)));
}

} // namespace

TsuiScrollTrackBar::TsuiScrollTrackBar(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetTabStop(false);
    thumb_ = new TsuiImagePanel(this);
    thumb_->SetParent(this);
    thumb_->SetAutoSize(true);
    thumb_->SetBounds(0, 0, 0, 0);
    thumb_->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        ThumbMouseDown(button, shift, x, y);
    };
}

TsuiScrollTrackBar::~TsuiScrollTrackBar() = default;

const TClassInfo& TsuiScrollTrackBar::StaticClassInfo()
{
    static const TClassInfo info("TsuiScrollTrackBar", &TCustomControl::StaticClassInfo(), nullptr,
                                 [](TClassInfo&) {});
    return info;
}

// --- Values ---------------------------------------------------------------------------------

void TsuiScrollTrackBar::ValueChanged()
{
    PlaceThumb();
    Repaint();
    if (position_ != lastReported_) {
        lastReported_ = position_;
        if (OnChange)
            OnChange(this);
    }
}

void TsuiScrollTrackBar::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    ValueChanged();
}

void TsuiScrollTrackBar::SetMax(int value)
{
    if (value == max_)
        return;
    max_ = std::max(value, min_);
    position_ = std::min(position_, max_);
    ValueChanged();
}

void TsuiScrollTrackBar::SetMin(int value)
{
    if (value == min_)
        return;
    min_ = std::min(value, max_);
    position_ = std::max(position_, min_);
    ValueChanged();
}

void TsuiScrollTrackBar::SetPageSize(int value)
{
    if (value < 0 || value > max_)
        return;
    pageSize_ = value;
}

// --- Thumb ----------------------------------------------------------------------------------

void TsuiScrollTrackBar::SetThumbPicture(const TBitmap& picture)
{
    TPicture copy;
    copy.Assign(picture);
    thumb_->SetPicture(copy);
    // An empty picture leaves AutoSize nothing to follow; the thumb then has no size either.
    thumb_->SetBounds(thumb_->Left(), thumb_->Top(), picture.Width(), picture.Height());
}

int TsuiScrollTrackBar::TrackLength() const { return orientation_ == suiHorizontal ? Width() : Height(); }

int TsuiScrollTrackBar::ThumbLength() const
{
    return orientation_ == suiHorizontal ? thumb_->Width() : thumb_->Height();
}

int TsuiScrollTrackBar::ThumbOffset() const
{
    if (min_ == max_)
        return 0;
    // Widened so that long ranges cannot overflow the product.
    const int64_t room = int64_t(TrackLength()) - ThumbLength();
    return int((int64_t(position_) - min_) * room / (int64_t(max_) - min_));
}

void TsuiScrollTrackBar::PlaceThumb()
{
    const int along = ThumbOffset();
    if (orientation_ == suiHorizontal)
        SetControlPos(*thumb_, TPoint(along, std::max(0, (Height() - thumb_->Height()) / 2)));
    else
        SetControlPos(*thumb_, TPoint(std::max(0, (Width() - thumb_->Width()) / 2), along));
}

int TsuiScrollTrackBar::PositionFromPoint(int along) const
{
    const int room = TrackLength() - ThumbLength();
    if (room == 0)
        return 0;
    const double share = (double(along) - grabOffset_) * (double(max_) - min_) / room;
    return RoundHalfEven(double(min_) + RoundHalfEven(share));
}

// --- Mouse ----------------------------------------------------------------------------------

// Steps toward the pointer but never past the value under it.
void TsuiScrollTrackBar::PageToward(int along, int step)
{
    const int leading = orientation_ == suiHorizontal ? thumb_->Left() : thumb_->Top();
    const int target = PositionFromPoint(along);
    if (along > leading)
        SetPosition(int(std::min<int64_t>(int64_t(position_) + step, target)));
    else if (along < leading)
        SetPosition(int(std::max<int64_t>(int64_t(position_) - step, target)));
}

void TsuiScrollTrackBar::PagingTick()
{
    if (!Application)
        return;
    const HostPoint screen = Application->Host().CursorPos();
    const TPoint p = ScreenToClient(TPoint(screen.x, screen.y));
    // A horizontal track pages three times as far per tick.
    const int step = orientation_ == suiHorizontal ? 3 * pageSize_ : pageSize_;
    PageToward(Along(p.X, p.Y), step);
}

void TsuiScrollTrackBar::StopPaging() { pagingTimer_.reset(); }

void TsuiScrollTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || dragging_)
        return;
    PageToward(Along(x, y), pageSize_);
    if (!pagingTimer_) {
        pagingTimer_ = std::make_unique<TTimer>(nullptr);
        pagingTimer_->SetInterval(kPagingInterval);
        pagingTimer_->SetOnTimer([this](TObject*) { PagingTick(); });
    }
}

void TsuiScrollTrackBar::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    if (!dragging_) {
        if (x < 0 || y < 0 || x > Width() || y > Height())
            StopPaging();
        return;
    }
    // Stored directly: the value is reported below, after the thumb has moved.
    position_ = std::clamp(PositionFromPoint(Along(x, y)), min_, max_);
    PlaceThumb();
    if (position_ != lastReported_) {
        if (OnChange)
            OnChange(this);
        lastReported_ = position_;
    }
}

void TsuiScrollTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    StopPaging();
    dragging_ = false;
    SetMouseCapture(false);
    TCustomControl::MouseUp(button, shift, x, y);
}

void TsuiScrollTrackBar::ThumbMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button != mbLeft)
        return;
    grabOffset_ = Along(x, y);
    dragging_ = true;
    SetMouseCapture(true);
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x + thumb_->Left(), y + thumb_->Top());
}

// --- Painting -------------------------------------------------------------------------------

void TsuiScrollTrackBar::Paint()
{
    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    TBitmap buffer = BlankBitmap(client.Width(), client.Height());
    TCanvas canvas(buffer);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
    Canvas().CopyRect(client, buffer, client);
}

void TsuiScrollTrackBar::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomControl::WndProc(message);
}
