#pragma once

#include "platform/FontEngine.h"

#include <cstdint>

// Text drawn white on black into a 32-bit picture leaves its coverage in every colour channel;
// green is the one that grey and subpixel smoothing both fill. This takes the green channel of
// the covered pixels, cropped to the smallest rectangle holding them. The mask's `left` and `top`
// are counted from (originX, originY), the point the text was drawn at; nothing covered gives
// an empty mask.
TCoverageMask CoverageFromGreen(const uint32_t* pixels, int width, int height, int originX, int originY);
