#pragma once

#include <cstdint>
#include <vector>

// The second picture of a Windows icon, beside IconColourPixels (platform/IconColours.h): the
// 1-bit mask that draws the icon where alpha is not used: a set bit is a transparent pixel
// (alpha below 128), leftmost pixel in the high bit, every row padded to a multiple of 16 bits as
// CreateBitmap expects.
std::vector<uint8_t> IconMaskBits(const std::vector<uint32_t>& colour, int width, int height);
