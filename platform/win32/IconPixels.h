#pragma once

#include <cstdint>
#include <vector>

// The two pictures an icon is made of, from the toolkit's 0xAARRGGBB pixels (top row first).

// The colour picture: the pixels as given, except that a picture whose alpha is zero everywhere
// (drawn without an alpha channel) is made opaque, which would otherwise show nothing at all.
std::vector<uint32_t> IconColourPixels(const uint32_t* pixels, int width, int height);

// The 1-bit mask that draws the icon where alpha is not used: a set bit is a transparent pixel
// (alpha below 128), leftmost pixel in the high bit, every row padded to a multiple of 16 bits as
// CreateBitmap expects.
std::vector<uint8_t> IconMaskBits(const std::vector<uint32_t>& colour, int width, int height);
