#include "platform/win32/IconPixels.h"

#include <cstddef>

std::vector<uint8_t> IconMaskBits(const std::vector<uint32_t>& colour, int width, int height)
{
    if (width <= 0 || height <= 0 || colour.size() != size_t(width) * size_t(height))
        return {};
    const size_t stride = (size_t(width) + 15) / 16 * 2;
    std::vector<uint8_t> mask(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((colour[size_t(y) * size_t(width) + size_t(x)] >> 24) < 128)
                mask[size_t(y) * stride + size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
    return mask;
}
