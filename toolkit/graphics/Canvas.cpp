#include "toolkit/graphics/Canvas.h"

#include "toolkit/graphics/SystemColors.h"

#include <algorithm>

// State, clipping and the plain rectangle operations. Shapes, pictures and text live in
// CanvasShapes.cpp, CanvasImages.cpp and CanvasText.cpp.

namespace {

uint32_t PixelOf(TColor color) { return TBitmap::ColorToPixel(ColorToRGB(color)); }

} // namespace

TCanvas::TCanvas() = default;

TCanvas::TCanvas(TBitmap& target) { SetTarget(&target); }

void TCanvas::SetTarget(TBitmap* target)
{
    target_ = target;
    origin_ = {};
    saved_.clear();
    ResetClip();
}

void TCanvas::Save()
{
    saved_.push_back({pen_, brush_, font_, stretchMode_, origin_, clip_, penPos_});
}

void TCanvas::Restore()
{
    if (saved_.empty())
        return;
    State& state = saved_.back();
    pen_ = state.pen;
    brush_ = state.brush;
    font_.Assign(state.font);
    stretchMode_ = state.stretchMode;
    origin_ = state.origin;
    clip_ = state.clip;
    penPos_ = state.penPos;
    saved_.pop_back();
}

void TCanvas::Translate(int dx, int dy) { origin_ = origin_ + TPoint(dx, dy); }

void TCanvas::IntersectClip(const TRect& rect) { clip_ = clip_.Intersect(ToDevice(rect)); }

void TCanvas::ResetClip() { clip_ = target_ ? TRect(0, 0, target_->Width(), target_->Height()) : TRect(); }

TRect TCanvas::ClipRect() const { return clip_.Offset(-origin_.X, -origin_.Y); }

TColor TCanvas::Pixel(int x, int y) const
{
    const TPoint p = TPoint(x, y) + origin_;
    if (!target_ || !clip_.Contains(p))
        return clNone;
    return target_->Pixel(p.X, p.Y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    const TPoint p = TPoint(x, y) + origin_;
    PutPixel(p.X, p.Y, PixelOf(color));
}

void TCanvas::PutPixel(int dx, int dy, uint32_t pixel)
{
    if (target_ && clip_.Contains({dx, dy}))
        target_->ScanLine(dy)[dx] = pixel | 0xFF000000u;
}

// One pixel of the pen at target coordinates, combined by the pen mode.
void TCanvas::PenPixel(int dx, int dy, uint32_t pixel)
{
    if (!target_ || !clip_.Contains({dx, dy}))
        return;
    uint32_t& out = target_->ScanLine(dy)[dx];
    switch (pen_.Mode()) {
    case TPenMode::pmCopy:
        out = pixel | 0xFF000000u;
        break;
    case TPenMode::pmNot:
        out = (out ^ 0x00FFFFFFu) | 0xFF000000u;
        break;
    case TPenMode::pmXor:
        out = (out ^ (pixel & 0x00FFFFFFu)) | 0xFF000000u;
        break;
    }
}

void TCanvas::FillDeviceRect(const TRect& device, uint32_t pixel)
{
    const TRect r = device.Intersect(clip_);
    if (!target_ || r.IsEmpty())
        return;
    pixel |= 0xFF000000u;
    for (int y = r.Top; y < r.Bottom; ++y)
        std::fill(target_->ScanLine(y) + r.Left, target_->ScanLine(y) + r.Right, pixel);
}

// Target pixels x0 .. x1 - 1 of row y in the brush.
void TCanvas::BrushDeviceSpan(int x0, int x1, int y)
{
    if (!target_ || y < clip_.Top || y >= clip_.Bottom)
        return;
    x0 = std::max(x0, clip_.Left);
    x1 = std::min(x1, clip_.Right);
    if (x0 >= x1)
        return;
    uint32_t* row = target_->ScanLine(y);
    if (const TBitmap* pattern = brush_.Bitmap()) {
        const uint32_t* source = pattern->ScanLine(((y % pattern->Height()) + pattern->Height()) % pattern->Height());
        const int w = pattern->Width();
        for (int x = x0; x < x1; ++x)
            row[x] = source[((x % w) + w) % w] | 0xFF000000u;
    } else if (brush_.Style() == TBrushStyle::bsSolid) {
        std::fill(row + x0, row + x1, PixelOf(brush_.Color()));
    }
}

void TCanvas::FillRect(const TRect& rect)
{
    if (!brush_.Paints())
        return;
    const TRect r = ToDevice(rect).Intersect(clip_);
    for (int y = r.Top; y < r.Bottom; ++y)
        BrushDeviceSpan(r.Left, r.Right, y);
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (!brush_.Paints() || rect.IsEmpty())
        return;
    const TRect r = ToDevice(rect);
    BrushDeviceSpan(r.Left, r.Right, r.Top);
    if (r.Height() > 1)
        BrushDeviceSpan(r.Left, r.Right, r.Bottom - 1);
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        BrushDeviceSpan(r.Left, r.Left + 1, y);
        if (r.Width() > 1)
            BrushDeviceSpan(r.Right - 1, r.Right, y);
    }
}

void TCanvas::InvertRect(const TRect& rect)
{
    const TRect r = ToDevice(rect).Intersect(clip_);
    if (!target_)
        return;
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = target_->ScanLine(y);
        for (int x = r.Left; x < r.Right; ++x)
            row[x] = (row[x] ^ 0x00FFFFFFu) | 0xFF000000u;
    }
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (!target_ || rect.IsEmpty())
        return;
    const TRect r = ToDevice(rect);
    auto invert = [this](int x, int y) {
        if ((x + y) % 2 == 0 && clip_.Contains({x, y})) {
            uint32_t& p = target_->ScanLine(y)[x];
            p = (p ^ 0x00FFFFFFu) | 0xFF000000u;
        }
    };
    // Each pixel of the frame exactly once, so a second call undoes the first.
    for (int x = r.Left; x < r.Right; ++x) {
        invert(x, r.Top);
        if (r.Height() > 1)
            invert(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        invert(r.Left, y);
        if (r.Width() > 1)
            invert(r.Right - 1, y);
    }
}
