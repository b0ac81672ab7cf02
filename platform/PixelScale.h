#pragma once

#include "platform/WindowHost.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Screens of high pixel density, for every window host. The toolkit draws each window at its
// designed size; a host on a dense screen shows it at a whole multiple of that, its scale, each
// pixel a square of scale x scale screen pixels, so that the pixel art stays crisp. Everything
// the toolkit sees (window places and sizes, shapes, the mouse, the work area) is in its own
// pixels: screen pixels divided by the scale.

// 1 below 144 dots per inch (150 % of the classic 96), 2 from there on.
inline int ScaleForDpi(int dpi) { return dpi >= 144 ? 2 : 1; }

// A screen coordinate in the toolkit's pixels: rounded down, also below zero, so that the pixel
// just left of or above a window stays outside it.
inline int Unscale(int screen, int scale)
{
    if (scale <= 1)
        return screen;
    return screen >= 0 ? screen / scale : -((-screen + scale - 1) / scale);
}

inline HostRect ScaleRect(const HostRect& r, int scale)
{
    return {r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
}

inline HostRect UnscaleRect(const HostRect& r, int scale)
{
    return {Unscale(r.left, scale), Unscale(r.top, scale), Unscale(r.right, scale), Unscale(r.bottom, scale)};
}

inline std::vector<HostRect> ScaleRects(const std::vector<HostRect>& rects, int scale)
{
    std::vector<HostRect> scaled;
    scaled.reserve(rects.size());
    for (const HostRect& r : rects)
        scaled.push_back(ScaleRect(r, scale));
    return scaled;
}

// Copies `area` (clipped to the picture) of a width x height picture into `target`, a picture
// scale times as wide and as high whose rows are `targetStride` pixels apart, each pixel as a
// square of scale x scale. Returns the part of `target` written (empty when nothing was).
inline HostRect ScalePixels(const uint32_t* pixels, int width, int height, HostRect area, int scale,
                            uint32_t* target, size_t targetStride)
{
    area.left = std::clamp(area.left, 0, width);
    area.right = std::clamp(area.right, area.left, width);
    area.top = std::clamp(area.top, 0, height);
    area.bottom = std::clamp(area.bottom, area.top, height);
    if (!pixels || !target || scale < 1 || area.left == area.right || area.top == area.bottom)
        return {};
    const size_t sourceStride = static_cast<size_t>(width), s = static_cast<size_t>(scale);
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* from = pixels + static_cast<size_t>(y) * sourceStride;
        uint32_t* row = target + static_cast<size_t>(y) * s * targetStride;
        for (int x = area.left; x < area.right; ++x)
            std::fill_n(row + static_cast<size_t>(x) * s, s, from[x]);
        const size_t first = static_cast<size_t>(area.left) * s, count = static_cast<size_t>(area.right - area.left) * s;
        for (size_t copy = 1; copy < s; ++copy)
            std::copy_n(row + first, count, row + copy * targetStride + first);
    }
    return ScaleRect(area, scale);
}

// The whole picture at the scale.
inline std::vector<uint32_t> ScaledPicture(const uint32_t* pixels, int width, int height, int scale)
{
    if (!pixels || width <= 0 || height <= 0 || scale < 1)
        return {};
    std::vector<uint32_t> scaled(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(scale) *
                                 static_cast<size_t>(scale));
    ScalePixels(pixels, width, height, {0, 0, width, height}, scale, scaled.data(),
                static_cast<size_t>(width) * static_cast<size_t>(scale));
    return scaled;
}
