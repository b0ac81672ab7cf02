#pragma once

#include "toolkit/graphics/Geometry.h"

#include <utility>
#include <vector>

// Shapes that every row crosses at most once, as one span [first, last + 1) per row from the
// box's top row down. Shared by the canvas and by regions so that a filled ellipse and an
// elliptic region hold the same pixels. Integer arithmetic only: the same on every machine.
using TRowSpans = std::vector<std::pair<int, int>>;

// Boxes wider or higher than this give no rows (it keeps the arithmetic inside 64 bits and the
// row lists small; no bitmap is that large).
constexpr int kMaxShapeSide = 16384;

// Pixel (x, y) of box belongs to the ellipse when its centre lies inside or on the ellipse
// centred in the box whose semi-axes are a quarter pixel shorter than half the box's sides; every
// side of the box is touched. An empty box gives no rows.
TRowSpans EllipseRows(const TRect& box);
// The box with each corner cut to a quarter of an ellipseWidth x ellipseHeight ellipse (sizes
// cut to the box; below 2 the corners stay square).
TRowSpans RoundRectRows(const TRect& box, int ellipseWidth, int ellipseHeight);
// The pixels left after peeling `times` layers of pixels that have a neighbour (left, right,
// above or below) outside the shape.
TRowSpans ErodeRows(const TRowSpans& rows, int times);
