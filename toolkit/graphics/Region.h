#pragma once

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/Geometry.h"

#include <vector>

class TBitmap;

enum class TRegionOp { Or, And, Diff, Xor, Copy };

// A set of pixels kept as a union of rectangles: bands of rows, each band a sorted list of
// non-touching spans. Every operation keeps that canonical form, so two regions holding the same
// pixels hold the same rectangles and compare equal.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);

    // The pixels of rect (none when it is empty).
    static TRegion FromRect(const TRect& rect);
    // A rectangle with corners rounded by an ellipse ellipseWidth x ellipseHeight, shaped like
    // the platform's rounded-rectangle region: it covers left .. right - 2 and top .. bottom - 2,
    // one pixel less at the right and bottom than FromRect, so callers that want the whole of
    // (0, 0, W, H) pass (0, 0, W + 1, H + 1). Corner sizes of 0 or 1 give square corners; sizes
    // above the rectangle's are cut to it; a negative size counts by its magnitude, as it does
    // for the platform's region.
    static TRegion FromRoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight);
    // An ellipse filling the rectangle's pixels (the canvas's Ellipse fill).
    static TRegion FromEllipse(const TRect& rect);
    // Every run of pixels of one row whose colour (alpha ignored) differs from transparentColor,
    // each as a rectangle one row high, for the rows top .. bottom - 1 of the bitmap (clamped to
    // it), moved by (dx, dy).
    static TRegion FromBitmapRuns(const TBitmap& bitmap, TColor transparentColor, int top, int bottom, int dx = 0,
                                  int dy = 0);
    static TRegion FromBitmapRuns(const TBitmap& bitmap, TColor transparentColor);

    bool Empty() const { return rects_.empty(); }
    // The smallest rectangle holding every pixel; (0, 0, 0, 0) when empty.
    TRect Bounds() const;
    const std::vector<TRect>& Rects() const { return rects_; }
    bool Contains(int x, int y) const;
    bool Contains(TPoint p) const { return Contains(p.X, p.Y); }

    void Offset(int dx, int dy);
    // this := this op other (Copy: this := other).
    void Combine(const TRegion& other, TRegionOp op);
    TRegion Union(const TRegion& other) const;
    TRegion Intersect(const TRegion& other) const;
    TRegion Subtract(const TRegion& other) const;
    TRegion Xor(const TRegion& other) const;
    void AddRect(const TRect& rect);

    bool operator==(const TRegion& other) const { return rects_ == other.rects_; }

private:
    std::vector<TRect> rects_;  // canonical: banded, sorted, coalesced
};
