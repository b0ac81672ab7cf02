#include "platform/sdl/ShapeMask.h"

#include <algorithm>
#include <cstring>

std::vector<uint8_t> ShapeMask(const std::vector<HostRect>& rects, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const size_t stride = static_cast<size_t>(width);
    std::vector<uint8_t> mask(stride * static_cast<size_t>(height), rects.empty() ? 1 : 0);
    for (const HostRect& r : rects) {
        int left = std::clamp(r.left, 0, width), right = std::clamp(r.right, 0, width);
        int top = std::clamp(r.top, 0, height), bottom = std::clamp(r.bottom, 0, height);
        if (left >= right)
            continue;
        for (int y = top; y < bottom; ++y)
            std::memset(mask.data() + static_cast<size_t>(y) * stride + static_cast<size_t>(left), 1,
                        static_cast<size_t>(right - left));
    }
    return mask;
}
