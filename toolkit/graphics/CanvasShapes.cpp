#include "toolkit/graphics/Canvas.h"

#include "toolkit/graphics/Region.h"
#include "toolkit/graphics/ShapeRows.h"
#include "toolkit/graphics/SystemColors.h"

#include <algorithm>
#include <cstdlib>

// Lines, outlines and filled shapes. Everything is computed in integers on target pixels.

namespace {

uint32_t PixelOf(TColor color) { return TBitmap::ColorToPixel(ColorToRGB(color)); }

// Whether step `step` along a line of this style is drawn.
bool DashOn(TPenStyle style, int step)
{
    switch (style) {
    case TPenStyle::psDot:
    case TPenStyle::psAlternate:
        return step % 2 == 0;
    case TPenStyle::psDash:
        return step % 8 < 6;
    case TPenStyle::psDashDot: {
        const int s = step % 11;
        return s < 6 || s == 8;
    }
    case TPenStyle::psDashDotDot: {
        const int s = step % 14;
        return s < 6 || s == 8 || s == 11;
    }
    default:
        return true;
    }
}

// A clamp that keeps later doubling and products of coordinates inside 64 bits.
int64_t Tame(int64_t v) { return std::clamp<int64_t>(v, -(int64_t(1) << 28), int64_t(1) << 28); }

// Wider pens are drawn this wide; nothing on a dialog needs more.
constexpr int kMaxPenWidth = 64;

// Which half-turn the vector lies in, counting counter-clockwise from `start` (0: the first
// half including start's own direction, 1: the second).
int HalfFrom(int64_t sx, int64_t sy, int64_t vx, int64_t vy)
{
    const int64_t cross = sx * vy - sy * vx;
    const int64_t dot = sx * vx + sy * vy;
    return (cross > 0 || (cross == 0 && dot > 0)) ? 0 : 1;
}

// True when v comes strictly after w, turning counter-clockwise from start.
bool AfterFrom(int64_t sx, int64_t sy, int64_t vx, int64_t vy, int64_t wx, int64_t wy)
{
    const int hv = HalfFrom(sx, sy, vx, vy), hw = HalfFrom(sx, sy, wx, wy);
    if (hv != hw)
        return hv > hw;
    return wx * vy - wy * vx > 0;
}

} // namespace

// Step i of a line n steps long (n = the longer side) is at major0 + i along the longer axis and
// at minor0 + round(i * minorLength / n) along the other, halves rounding up. Only the steps whose
// pen can reach the clip are visited, so a line's cost is bounded by the clip, not its length.
void TCanvas::PenLine(TPoint from, TPoint to, int& dashStep)
{
    const int64_t x0 = Tame(from.X), y0 = Tame(from.Y), x1 = Tame(to.X), y1 = Tame(to.Y);
    const int64_t adx = std::abs(x1 - x0), ady = std::abs(y1 - y0);
    const int64_t n = std::max(adx, ady);
    const int startStep = dashStep;
    dashStep += int(std::min<int64_t>(n, 1 << 30));
    if (pen_.Style() == TPenStyle::psClear || !target_ || n == 0 || clip_.IsEmpty())
        return;
    const uint32_t pixel = PixelOf(pen_.Color());
    const int width = std::min(pen_.Width(), kMaxPenWidth);
    const int half = (width - 1) / 2;
    const bool xMajor = adx >= ady;
    const int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
    const int64_t majorStep = (xMajor ? x1 - x0 : y1 - y0) > 0 ? 1 : -1;
    const int64_t minorStep = (xMajor ? y1 - y0 : x1 - x0) >= 0 ? 1 : -1;
    const int64_t minorLength = xMajor ? ady : adx;
    // Steps whose major coordinate lies where a stamp may still touch the clip.
    const int64_t low = (xMajor ? clip_.Left : clip_.Top) - width, high = (xMajor ? clip_.Right : clip_.Bottom) + width;
    int64_t first = 0, last = n;  // [first, last)
    if (majorStep > 0) {
        first = std::max<int64_t>(first, low - major0);
        last = std::min<int64_t>(last, high - major0);
    } else {
        first = std::max<int64_t>(first, major0 - high + 1);
        last = std::min<int64_t>(last, major0 - low + 1);
    }
    const bool dashed = width == 1;
    for (int64_t i = first; i < last; ++i) {
        if (dashed && !DashOn(pen_.Style(), int((startStep + i) & 0x3FFFFFFF)))
            continue;
        const int64_t major = major0 + majorStep * i;
        const int64_t minor = minor0 + minorStep * ((2 * i * minorLength + n) / (2 * n));
        const int x = int(xMajor ? major : minor), y = int(xMajor ? minor : major);
        const TRect stamp(x - half, y - half, x - half + width, y - half + width);
        if (!stamp.IntersectsWith(clip_))
            continue;
        for (int py = y - half; py < y - half + width; ++py)
            for (int px = x - half; px < x - half + width; ++px)
                PenPixel(px, py, pixel);
    }
}

void TCanvas::LineTo(int x, int y)
{
    int step = 0;
    PenLine(penPos_ + origin_, TPoint(x, y) + origin_, step);
    penPos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.empty())
        return;
    int step = 0;
    for (size_t i = 1; i < points.size(); ++i)
        PenLine(points[i - 1] + origin_, points[i] + origin_, step);
    penPos_ = points.back();
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    if (brush_.Paints() && points.size() >= 3) {
        int top = points[0].Y, bottom = points[0].Y;
        for (const TPoint& p : points)
            top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
        const TPoint o = origin_;
        top = std::max(top, clip_.Top - o.Y);
        bottom = std::min(bottom, clip_.Bottom - o.Y);
        std::vector<int64_t> starts;
        for (int y = top; y < bottom; ++y) {
            // Each edge crossing the row's pixel centres (y + 1/2) gives the first pixel whose
            // centre lies at or right of the crossing: ceil(crossing - 1/2).
            starts.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                TPoint a = points[i], b = points[(i + 1) % points.size()];
                if (a.Y == b.Y)
                    continue;
                if (a.Y > b.Y)
                    std::swap(a, b);
                if (y < a.Y || y >= b.Y)
                    continue;
                const int64_t d = int64_t(b.Y) - a.Y;
                const int64_t n = (2 * int64_t(a.X) - 1) * d + (int64_t(b.X) - a.X) * (2 * int64_t(y) + 1 - 2 * int64_t(a.Y));
                const int64_t q = 2 * d;
                starts.push_back(n >= 0 ? (n + q - 1) / q : -((-n) / q));
            }
            std::sort(starts.begin(), starts.end());
            for (size_t i = 0; i + 1 < starts.size(); i += 2)
                BrushDeviceSpan(int(Tame(starts[i]) + o.X), int(Tame(starts[i + 1]) + o.X), y + o.Y);
        }
    }
    int step = 0;
    for (size_t i = 0; i < points.size(); ++i)
        PenLine(points[i] + origin_, points[(i + 1) % points.size()] + origin_, step);
    penPos_ = points.back();
}

// Draws a row-spanned shape (target coordinates, first row `top`): the brush inside, the pen's
// width of outline around it. `keep`, when given, picks which outline pixels are drawn (arcs).
void TCanvas::DrawShapeRows(const std::vector<std::pair<int, int>>& rows, int top, bool fill,
                            const std::function<bool(int, int)>* keep)
{
    if (!target_ || rows.empty())
        return;
    const bool outline = pen_.Style() != TPenStyle::psClear;
    const TRowSpans inner = outline ? ErodeRows(rows, std::min(pen_.Width(), kMaxPenWidth)) : rows;
    const uint32_t penPixel = PixelOf(pen_.Color());
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = top + int(i);
        if (y < clip_.Top || y >= clip_.Bottom)
            continue;
        const auto [x0, x1] = rows[i];
        const auto [i0, i1] = inner[i];
        if (fill && brush_.Paints() && i0 < i1)
            BrushDeviceSpan(i0, i1, y);
        if (!outline)
            continue;
        const int innerStart = i0 < i1 ? i0 : x1;
        const int innerEnd = i0 < i1 ? i1 : x1;
        for (int x = std::max(x0, clip_.Left); x < x1 && x < clip_.Right; ++x) {
            if (x >= innerStart && x < innerEnd) {
                x = innerEnd - 1;
                continue;
            }
            if (!keep || (*keep)(x, y))
                PenPixel(x, y, penPixel);
        }
    }
}

// Worked out on the clip alone, so a rectangle of any size costs only its visible part.
void TCanvas::Rectangle(const TRect& rect)
{
    const TRect r = ToDevice(rect.Normalized());
    if (r.IsEmpty() || !target_)
        return;
    const bool outline = pen_.Style() != TPenStyle::psClear;
    const int width = outline ? std::min(pen_.Width(), kMaxPenWidth) : 0;
    const TRect inner = r.Inflate(-width, -width);
    const TRect visible = r.Intersect(clip_);
    const uint32_t penPixel = PixelOf(pen_.Color());
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const bool innerRow = !inner.IsEmpty() && y >= inner.Top && y < inner.Bottom;
        if (innerRow && brush_.Paints())
            BrushDeviceSpan(inner.Left, inner.Right, y);
        if (!outline)
            continue;
        for (int x = visible.Left; x < visible.Right; ++x) {
            if (innerRow && x >= inner.Left && x < inner.Right) {
                x = inner.Right - 1;
                continue;
            }
            PenPixel(x, y, penPixel);
        }
    }
}

void TCanvas::Ellipse(const TRect& rect)
{
    const TRect r = ToDevice(rect.Normalized());
    DrawShapeRows(EllipseRows(r), r.Top, true, nullptr);
}

void TCanvas::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight)
{
    const TRect r = ToDevice(rect.Normalized());
    DrawShapeRows(RoundRectRows(r, ellipseWidth, ellipseHeight), r.Top, true, nullptr);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const TRect r = ToDevice(TRect(x1, y1, x2, y2).Normalized());
    // Directions in doubled target coordinates from the centre, with y turned upwards so that
    // counter-clockwise has its usual mathematical sense.
    const int64_t cx = int64_t(r.Left) + r.Right, cy = int64_t(r.Top) + r.Bottom;
    const int64_t sx = 2 * Tame(int64_t(x3) + origin_.X) - cx, sy = cy - 2 * Tame(int64_t(y3) + origin_.Y);
    const int64_t ex = 2 * Tame(int64_t(x4) + origin_.X) - cx, ey = cy - 2 * Tame(int64_t(y4) + origin_.Y);
    const bool whole = (sx == 0 && sy == 0) || (ex == 0 && ey == 0) ||
                       (sx * ey - sy * ex == 0 && sx * ex + sy * ey > 0);
    std::function<bool(int, int)> keep = [=](int x, int y) {
        if (whole)
            return true;
        const int64_t vx = 2 * int64_t(x) + 1 - cx, vy = cy - (2 * int64_t(y) + 1);
        return !AfterFrom(sx, sy, vx, vy, ex, ey);
    };
    DrawShapeRows(EllipseRows(r), r.Top, false, &keep);
}

void TCanvas::FillRegion(const TRegion& region)
{
    if (!brush_.Paints())
        return;
    for (const TRect& rect : region.Rects()) {
        const TRect r = ToDevice(rect).Intersect(clip_);
        for (int y = r.Top; y < r.Bottom; ++y)
            BrushDeviceSpan(r.Left, r.Right, y);
    }
}
