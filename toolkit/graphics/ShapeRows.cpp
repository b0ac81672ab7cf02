#include "toolkit/graphics/ShapeRows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The largest k with k * k <= n.
int64_t SquareRootFloor(int64_t n)
{
    if (n <= 0)
        return 0;
    auto k = static_cast<int64_t>(std::sqrt(static_cast<double>(n)));
    while (k * k > n)
        --k;
    while ((k + 1) * (k + 1) <= n)
        ++k;
    return k;
}

} // namespace

// floor(a / b) for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

TRowSpans EllipseRows(const TRect& box)
{
    const TRect b = box.Normalized();
    const int64_t w = b.Width(), h = b.Height();
    TRowSpans rows;
    if (w <= 0 || h <= 0 || w > kMaxShapeSide || h > kMaxShapeSide)
        return rows;
    // The ellipse's semi-axes are a quarter pixel short of the box's half sides, which keeps the
    // outline's flat runs at the box edges short, as a drawn ellipse should look. In quadrupled
    // coordinates from the centre, pixel x has X = 4 (x - left) + 2 - 2w, the semi-axes are
    // rw = 2w - 1 and rh = 2h - 1, and the pixel is inside when X^2 rh^2 + Y^2 rw^2 <= rw^2 rh^2.
    const int64_t rw = 2 * w - 1, rh = 2 * h - 1;
    rows.reserve(size_t(h));
    for (int64_t y = 0; y < h; ++y) {
        const int64_t Y = 4 * y + 2 - 2 * h;
        if (Y * Y > rh * rh) {
            rows.emplace_back(b.Left, b.Left);
            continue;
        }
        const int64_t k = SquareRootFloor(rw * rw * (rh * rh - Y * Y) / (rh * rh));  // |X| <= k
        const int64_t first = std::max<int64_t>(0, -FloorDiv(k - 2 * w + 2, 4));
        const int64_t last = std::min<int64_t>(w - 1, FloorDiv(k + 2 * w - 2, 4));
        if (first > last)
            rows.emplace_back(b.Left, b.Left);
        else
            rows.emplace_back(b.Left + int(first), b.Left + int(last) + 1);
    }
    return rows;
}

TRowSpans RoundRectRows(const TRect& box, int ellipseWidth, int ellipseHeight)
{
    const TRect b = box.Normalized();
    const int w = b.Width(), h = b.Height();
    TRowSpans rows;
    if (w <= 0 || h <= 0 || w > kMaxShapeSide || h > kMaxShapeSide)
        return rows;
    const int ew = std::min(std::max(ellipseWidth, 0), w);
    const int eh = std::min(std::max(ellipseHeight, 0), h);
    if (ew < 2 || eh < 2)
        return TRowSpans(size_t(h), {b.Left, b.Right});
    const TRowSpans corner = EllipseRows(TRect(0, 0, ew, eh));
    rows.reserve(size_t(h));
    for (int j = 0; j < h; ++j) {
        int k = -1;
        if (j < eh / 2)
            k = j;
        else if (j >= h - eh / 2)
            k = eh - h + j;
        if (k < 0)
            rows.emplace_back(b.Left, b.Right);
        else
            rows.emplace_back(b.Left + corner[size_t(k)].first, b.Right - ew + corner[size_t(k)].second);
    }
    return rows;
}

TRowSpans ErodeRows(const TRowSpans& rows, int times)
{
    TRowSpans current = rows;
    // Each pass empties at least the first and last rows, so more passes than rows change nothing.
    times = int(std::min<size_t>(size_t(std::max(times, 0)), rows.size()));
    for (int t = 0; t < times; ++t) {
        TRowSpans next(current.size());
        for (size_t y = 0; y < current.size(); ++y) {
            int x0 = current[y].first + 1, x1 = current[y].second - 1;
            if (y == 0 || y + 1 == current.size()) {
                x1 = x0;  // the first and last rows touch the outside above or below
            } else {
                x0 = std::max({x0, current[y - 1].first, current[y + 1].first});
                x1 = std::min({x1, current[y - 1].second, current[y + 1].second});
            }
            next[y] = {x0, std::max(x0, x1)};
        }
        current = std::move(next);
    }
    return current;
}
