#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// The colour picture of a window icon, for every desktop host, from the toolkit's 0xAARRGGBB
// pixels (top row first): the pixels as given, except that a picture whose alpha is zero
// everywhere (drawn without an alpha channel) is made opaque, which would otherwise show nothing.
inline std::vector<uint32_t> IconColourPixels(const uint32_t* pixels, int width, int height)
{
    if (!pixels || width <= 0 || height <= 0)
        return {};
    std::vector<uint32_t> colour(pixels, pixels + size_t(width) * size_t(height));
    if (std::all_of(colour.begin(), colour.end(), [](uint32_t p) { return (p >> 24) == 0; }))
        for (uint32_t& p : colour)
            p |= 0xFF000000u;
    return colour;
}
