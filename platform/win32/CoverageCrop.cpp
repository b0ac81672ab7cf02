#include "platform/win32/CoverageCrop.h"

#include <algorithm>

namespace {

uint8_t Green(uint32_t pixel) { return uint8_t((pixel >> 8) & 0xFF); }

} // namespace

TCoverageMask CoverageFromGreen(const uint32_t* pixels, int width, int height, int originX, int originY)
{
    TCoverageMask mask;
    if (!pixels || width <= 0 || height <= 0)
        return mask;
    int left = width, right = 0, top = height, bottom = 0;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x)
            if (Green(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
    }
    if (left >= right)
        return mask;
    mask.left = left - originX;
    mask.top = top - originY;
    mask.width = right - left;
    mask.height = bottom - top;
    mask.coverage.resize(size_t(mask.width) * size_t(mask.height));
    for (int y = 0; y < mask.height; ++y) {
        const uint32_t* row = pixels + size_t(top + y) * size_t(width) + size_t(left);
        std::transform(row, row + mask.width, mask.coverage.begin() + long(y) * mask.width, Green);
    }
    return mask;
}
