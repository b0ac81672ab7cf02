#include "toolkit/graphics/Canvas.h"

#include "toolkit/graphics/Picture.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

// Copying and stretching pictures onto the canvas.

namespace {

// For each target column (or row) of a stretch, the source pixels under it and how much of each:
// target pixel u covers source [u * s / d, (u + 1) * s / d), measured in 1/d source pixels.
struct Coverage {
    int first = 0;             // first source index
    std::vector<int> weights;  // one per source index from `first`; they add up to s
};

std::vector<Coverage> AreaWeights(int s, int d)
{
    std::vector<Coverage> result(static_cast<size_t>(d));
    for (int u = 0; u < d; ++u) {
        const int64_t from = int64_t(u) * s, to = int64_t(u + 1) * s;
        Coverage& c = result[size_t(u)];
        c.first = int(from / d);
        for (int64_t i = c.first; i * d < to; ++i) {
            const int64_t overlap = std::min(to, (i + 1) * d) - std::max(from, i * d);
            c.weights.push_back(int(overlap));
        }
    }
    return result;
}

uint32_t SourcePixel(const TBitmap& source, int x, int y)
{
    if (x < 0 || y < 0 || x >= source.Width() || y >= source.Height())
        return 0xFF000000u;
    return source.ScanLine(y)[x];
}

// The rows of a nearest-pixel draw. A target row is the source row under it, picked apart by
// column; stretched pictures repeat source rows many times over, so the picked row is kept and
// reused while the source row stays the same, and where it holds no transparent pixel it goes
// into the target as one block copy.
class NearestRows {
public:
    NearestRows(TBitmap& target, const TBitmap& source, const TRect& visible, const std::vector<int>& columns,
                std::optional<uint32_t> transparentPixel)
        : target_(target), source_(source), left_(visible.Left), columns_(columns),
          keyed_(transparentPixel.has_value()), key_(transparentPixel.value_or(0) & kRgb)
    {
        const size_t n = columns.size();
        contiguous_ = n > 0 && columns.front() >= 0 && columns.back() == columns.front() + int(n) - 1;
        for (size_t i = 1; contiguous_ && i < n; ++i)
            contiguous_ = columns[i] == columns[i - 1] + 1;
    }

    // Target row y from source row sy (outside the source: black).
    void Draw(int y, int sy)
    {
        const bool inside = sy >= 0 && sy < source_.Height();
        uint32_t* out = target_.ScanLine(y) + left_;
        if (inside && contiguous_) {
            Put(source_.ScanLine(sy) + columns_.front(), out);
            return;
        }
        if (sy != pickedRow_ || picked_.empty())
            Pick(inside ? source_.ScanLine(sy) : nullptr, sy);
        if (pickedHasKey_)
            Put(picked_.data(), out);
        else
            std::copy(picked_.begin(), picked_.end(), out);
    }

private:
    static constexpr uint32_t kRgb = 0x00FFFFFFu;
    static constexpr uint32_t kOpaque = 0xFF000000u;

    void Pick(const uint32_t* in, int sy)
    {
        picked_.resize(columns_.size());
        for (size_t i = 0; i < columns_.size(); ++i)
            picked_[i] = (in && columns_[i] >= 0 ? in[columns_[i]] : 0) | kOpaque;
        pickedRow_ = sy;
        pickedHasKey_ = keyed_ && std::any_of(picked_.begin(), picked_.end(), [&](uint32_t p) { return (p & kRgb) == key_; });
    }

    void Put(const uint32_t* in, uint32_t* out) const
    {
        const size_t n = columns_.size();
        if (!keyed_) {
            for (size_t i = 0; i < n; ++i)
                out[i] = in[i] | kOpaque;
            return;
        }
        const uint32_t key = key_;
        for (size_t i = 0; i < n; ++i)
            out[i] = (in[i] & kRgb) != key ? in[i] | kOpaque : out[i];
    }

    TBitmap& target_;
    const TBitmap& source_;
    int left_;
    const std::vector<int>& columns_;
    bool keyed_;    // whether pixels of the key colour are left out
    uint32_t key_;  // the colour left out, without alpha
    bool contiguous_ = false;
    std::vector<uint32_t> picked_;
    int pickedRow_ = 0;
    bool pickedHasKey_ = false;
};

} // namespace

// Draws sourceRect of source into dest (logical; a reversed side mirrors), nearest pixel or area
// averaging by the stretch mode; a transparent draw always takes the nearest pixel and skips the
// transparent colour.
void TCanvas::StretchInto(const TRect& dest, const TBitmap& source, const TRect& sourceRect, bool transparent,
                          uint32_t transparentPixel)
{
    if (!target_)
        return;
    const TRect device = ToDevice(dest);
    const bool flipX = (device.Right < device.Left) != (sourceRect.Right < sourceRect.Left);
    const bool flipY = (device.Bottom < device.Top) != (sourceRect.Bottom < sourceRect.Top);
    const TRect d = device.Normalized();
    const TRect s = sourceRect.Normalized();
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    const TRect visible = d.Intersect(clip_);
    if (visible.IsEmpty() || sw <= 0 || sh <= 0)
        return;
    // A copy of the pixels we read when reading from our own target.
    TBitmap copy;
    const TBitmap* from = &source;
    if (&source == target_) {
        copy = source;
        from = &copy;
    }
    auto column = [&](int x) {
        const int u = flipX ? dw - 1 - (x - d.Left) : x - d.Left;
        return s.Left + int((int64_t(2 * u + 1) * sw) / (2 * int64_t(dw)));
    };
    auto row = [&](int y) {
        const int v = flipY ? dh - 1 - (y - d.Top) : y - d.Top;
        return s.Top + int((int64_t(2 * v + 1) * sh) / (2 * int64_t(dh)));
    };
    const bool average = stretchMode_ == TStretchMode::smHalftone && !transparent && (sw != dw || sh != dh);
    if (!average) {
        // Source column of each visible target column, -1 where it falls outside the source.
        std::vector<int> columns(size_t(visible.Width()));
        for (int x = visible.Left; x < visible.Right; ++x) {
            const int sx = column(x);
            columns[size_t(x - visible.Left)] = sx >= 0 && sx < from->Width() ? sx : -1;
        }
        NearestRows rows(*target_, *from, visible, columns, transparent ? std::optional(transparentPixel) : std::nullopt);
        for (int y = visible.Top; y < visible.Bottom; ++y)
            rows.Draw(y, row(y));
        return;
    }
    const std::vector<Coverage> wx = AreaWeights(sw, dw), wy = AreaWeights(sh, dh);
    const int64_t total = int64_t(sw) * sh;
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const int v = flipY ? dh - 1 - (y - d.Top) : y - d.Top;
        const Coverage& cy = wy[size_t(v)];
        uint32_t* out = target_->ScanLine(y);
        for (int x = visible.Left; x < visible.Right; ++x) {
            const int u = flipX ? dw - 1 - (x - d.Left) : x - d.Left;
            const Coverage& cx = wx[size_t(u)];
            int64_t r = 0, g = 0, b = 0;
            for (size_t j = 0; j < cy.weights.size(); ++j)
                for (size_t i = 0; i < cx.weights.size(); ++i) {
                    const uint32_t p = SourcePixel(*from, s.Left + cx.first + int(i), s.Top + cy.first + int(j));
                    const int64_t weight = int64_t(cx.weights[i]) * cy.weights[j];
                    r += weight * ((p >> 16) & 0xFF);
                    g += weight * ((p >> 8) & 0xFF);
                    b += weight * (p & 0xFF);
                }
            // The x weights add up to sw and the y weights to sh: divide by both, rounding.
            const auto channel = [&](int64_t sum) { return uint32_t((sum + total / 2) / total); };
            out[x] = 0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
        }
    }
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const TRect whole(0, 0, bitmap.Width(), bitmap.Height());
    StretchInto(whole.Offset(x, y), bitmap, whole, bitmap.Transparent(),
                TBitmap::ColorToPixel(bitmap.TransparentColor()));
}

void TCanvas::Draw(int x, int y, const TPicture& picture)
{
    if (const TBitmap* bitmap = picture.Graphic())
        Draw(x, y, *bitmap);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    StretchInto(rect, bitmap, TRect(0, 0, bitmap.Width(), bitmap.Height()), bitmap.Transparent(),
                TBitmap::ColorToPixel(bitmap.TransparentColor()));
}

void TCanvas::StretchDraw(const TRect& rect, const TPicture& picture)
{
    if (const TBitmap* bitmap = picture.Graphic())
        StretchDraw(rect, *bitmap);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect)
{
    if (source.target_)
        StretchInto(dest, *source.target_, sourceRect.Offset(source.origin_), false, 0);
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect)
{
    StretchInto(dest, source, sourceRect, false, 0);
}

void TCanvas::CopyRectTransparent(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                                  TColor transparentColor)
{
    StretchInto(dest, source, sourceRect, true, TBitmap::ColorToPixel(transparentColor));
}
