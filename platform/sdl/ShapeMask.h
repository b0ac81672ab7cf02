#pragma once

#include "platform/WindowHost.h"

#include <cstdint>
#include <vector>

// A window's shape as one byte per pixel, top row first: 1 where the pixel belongs to one of
// `rects` (window pixels, clipped to the window), 0 elsewhere. No rectangles mean the whole
// window, as HostWindow::SetShape has it. Empty for a window without pixels.
std::vector<uint8_t> ShapeMask(const std::vector<HostRect>& rects, int width, int height);
