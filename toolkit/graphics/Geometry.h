#pragma once

#include <algorithm>

// Points, sizes and rectangles in pixels. A rectangle holds the pixels from Left to Right - 1
// and from Top to Bottom - 1: the right and bottom edges lie just outside it, so Width() is
// Right - Left and two rectangles that share an edge do not overlap.

struct TPoint {
    int X = 0;
    int Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}

    constexpr bool operator==(const TPoint&) const = default;
    constexpr TPoint operator+(TPoint other) const { return {X + other.X, Y + other.Y}; }
    constexpr TPoint operator-(TPoint other) const { return {X - other.X, Y - other.Y}; }
};

struct TSize {
    int cx = 0;
    int cy = 0;

    constexpr TSize() = default;
    constexpr TSize(int width, int height) : cx(width), cy(height) {}

    constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    constexpr TRect(TPoint topLeft, TPoint bottomRight)
        : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TSize Size() const { return {Width(), Height()}; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    // Holds no pixel: zero or negative width or height.
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // The pixel at p lies inside; the right and bottom edges are outside.
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr bool Contains(const TRect& r) const
    {
        return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom;
    }

    // Copies, moved or resized; the rectangle itself is unchanged.
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Offset(TPoint d) const { return Offset(d.X, d.Y); }
    // Grows by dx on the left and on the right, dy at the top and at the bottom (negative shrinks).
    constexpr TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    // The common part; an empty rectangle (0, 0, 0, 0) when there is none.
    constexpr TRect Intersect(const TRect& r) const
    {
        TRect result(std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right), std::min(Bottom, r.Bottom));
        return result.IsEmpty() ? TRect() : result;
    }
    // The smallest rectangle holding both; an empty one does not count.
    constexpr TRect Union(const TRect& r) const
    {
        if (r.IsEmpty())
            return IsEmpty() ? TRect() : *this;
        if (IsEmpty())
            return r;
        return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right), std::max(Bottom, r.Bottom)};
    }
    constexpr bool IntersectsWith(const TRect& r) const { return !Intersect(r).IsEmpty(); }
    // Left <= Right and Top <= Bottom, swapping where needed.
    constexpr TRect Normalized() const
    {
        return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
    }

    constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
