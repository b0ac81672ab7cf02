#include "toolkit/graphics/Region.h"

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/ShapeRows.h"

#include <algorithm>
#include <climits>

// The canonical form: rectangles sorted by top, then left; rectangles of one band share top and
// bottom; spans inside a band neither overlap nor touch; two vertically adjacent bands never
// carry the same spans (they are merged into one).

namespace {

using Spans = std::vector<std::pair<int, int>>;

struct Band {
    int top;
    int bottom;
    Spans spans;
};

std::vector<Band> ToBands(const std::vector<TRect>& rects)
{
    std::vector<Band> bands;
    for (const TRect& r : rects) {
        if (bands.empty() || bands.back().top != r.Top)
            bands.push_back({r.Top, r.Bottom, {}});
        bands.back().spans.emplace_back(r.Left, r.Right);
    }
    return bands;
}

bool Apply(TRegionOp op, bool a, bool b)
{
    switch (op) {
    case TRegionOp::Or:
        return a || b;
    case TRegionOp::And:
        return a && b;
    case TRegionOp::Diff:
        return a && !b;
    case TRegionOp::Xor:
        return a != b;
    case TRegionOp::Copy:
        return b;
    }
    return false;
}

bool Inside(const Spans& spans, int x)
{
    for (const auto& [from, to] : spans)
        if (x >= from && x < to)
            return true;
    return false;
}

Spans CombineSpans(const Spans& a, const Spans& b, TRegionOp op)
{
    std::vector<int> edges;
    for (const auto* list : {&a, &b})
        for (const auto& [from, to] : *list)
            edges.insert(edges.end(), {from, to});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Spans out;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        if (!Apply(op, Inside(a, edges[i]), Inside(b, edges[i])))
            continue;
        if (!out.empty() && out.back().second == edges[i])
            out.back().second = edges[i + 1];
        else
            out.emplace_back(edges[i], edges[i + 1]);
    }
    return out;
}

const Spans* SpansAt(const std::vector<Band>& bands, int y)
{
    for (const Band& band : bands)
        if (y >= band.top && y < band.bottom)
            return &band.spans;
    return nullptr;
}

// Rectangles from bands, merging equal neighbours and dropping empty bands.
std::vector<TRect> FromBands(std::vector<Band> bands)
{
    std::vector<Band> merged;
    for (Band& band : bands) {
        if (band.spans.empty() || band.top >= band.bottom)
            continue;
        if (!merged.empty() && merged.back().bottom == band.top && merged.back().spans == band.spans)
            merged.back().bottom = band.bottom;
        else
            merged.push_back(std::move(band));
    }
    std::vector<TRect> rects;
    for (const Band& band : merged)
        for (const auto& [from, to] : band.spans)
            rects.emplace_back(from, band.top, to, band.bottom);
    return rects;
}

TRegion FromRows(const TRowSpans& rows, int top)
{
    TRegion region;
    std::vector<Band> bands;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].first < rows[i].second)
            bands.push_back({top + int(i), top + int(i) + 1, {rows[i]}});
    for (const TRect& r : FromBands(std::move(bands)))
        region.AddRect(r);
    return region;
}

} // namespace

TRegion::TRegion(const TRect& rect)
{
    if (!rect.IsEmpty())
        rects_.push_back(rect);
}

TRegion TRegion::FromRect(const TRect& rect) { return TRegion(rect); }

TRegion TRegion::FromRoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight)
{
    const TRect r = rect.Normalized();
    const TRect box(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
    const auto magnitude = [](int size) { return size < 0 ? -std::max(size, -INT_MAX) : size; };
    return FromRows(RoundRectRows(box, magnitude(ellipseWidth), magnitude(ellipseHeight)), box.Top);
}

TRegion TRegion::FromEllipse(const TRect& rect)
{
    const TRect r = rect.Normalized();
    return FromRows(EllipseRows(r), r.Top);
}

TRegion TRegion::FromBitmapRuns(const TBitmap& bitmap, TColor transparentColor, int top, int bottom, int dx, int dy)
{
    const uint32_t key = TBitmap::ColorToPixel(transparentColor) & 0x00FFFFFFu;
    std::vector<Band> bands;
    top = std::max(top, 0);
    bottom = std::min(bottom, bitmap.Height());
    for (int y = top; y < bottom; ++y) {
        const uint32_t* row = bitmap.ScanLine(y);
        Band band{y + dy, y + dy + 1, {}};
        for (int x = 0; x < bitmap.Width();) {
            if ((row[x] & 0x00FFFFFFu) == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < bitmap.Width() && (row[x] & 0x00FFFFFFu) != key)
                ++x;
            band.spans.emplace_back(start + dx, x + dx);
        }
        bands.push_back(std::move(band));
    }
    TRegion region;
    region.rects_ = FromBands(std::move(bands));
    return region;
}

TRegion TRegion::FromBitmapRuns(const TBitmap& bitmap, TColor transparentColor)
{
    return FromBitmapRuns(bitmap, transparentColor, 0, bitmap.Height());
}

TRect TRegion::Bounds() const
{
    TRect bounds;
    for (const TRect& r : rects_)
        bounds = bounds.Union(r);
    return bounds;
}

bool TRegion::Contains(int x, int y) const
{
    return std::any_of(rects_.begin(), rects_.end(), [x, y](const TRect& r) { return r.Contains(TPoint(x, y)); });
}

void TRegion::Offset(int dx, int dy)
{
    for (TRect& r : rects_)
        r = r.Offset(dx, dy);
}

void TRegion::Combine(const TRegion& other, TRegionOp op)
{
    if (op == TRegionOp::Copy) {
        rects_ = other.rects_;
        return;
    }
    const std::vector<Band> a = ToBands(rects_), b = ToBands(other.rects_);
    std::vector<int> edges;
    for (const auto* list : {&a, &b})
        for (const Band& band : *list)
            edges.insert(edges.end(), {band.top, band.bottom});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    static const Spans none;
    std::vector<Band> result;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const Spans* sa = SpansAt(a, edges[i]);
        const Spans* sb = SpansAt(b, edges[i]);
        result.push_back({edges[i], edges[i + 1], CombineSpans(sa ? *sa : none, sb ? *sb : none, op)});
    }
    rects_ = FromBands(std::move(result));
}

TRegion TRegion::Union(const TRegion& other) const
{
    TRegion r = *this;
    r.Combine(other, TRegionOp::Or);
    return r;
}

TRegion TRegion::Intersect(const TRegion& other) const
{
    TRegion r = *this;
    r.Combine(other, TRegionOp::And);
    return r;
}

TRegion TRegion::Subtract(const TRegion& other) const
{
    TRegion r = *this;
    r.Combine(other, TRegionOp::Diff);
    return r;
}

TRegion TRegion::Xor(const TRegion& other) const
{
    TRegion r = *this;
    r.Combine(other, TRegionOp::Xor);
    return r;
}

void TRegion::AddRect(const TRect& rect) { Combine(TRegion(rect), TRegionOp::Or); }
