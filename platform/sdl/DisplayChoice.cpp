#include "platform/sdl/DisplayChoice.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t OverlapArea(const HostRect& a, const HostRect& b)
{
    int64_t w = int64_t(std::min(a.right, b.right)) - std::max(a.left, b.left);
    int64_t h = int64_t(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// How far apart two rectangles are along each axis (0 where they overlap), squared.
int64_t GapSquared(const HostRect& a, const HostRect& b)
{
    int64_t dx = std::max<int64_t>({0, int64_t(b.left) - a.right, int64_t(a.left) - b.right});
    int64_t dy = std::max<int64_t>({0, int64_t(b.top) - a.bottom, int64_t(a.top) - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

int DisplayForWindow(const std::vector<HostRect>& displays, const HostRect& window)
{
    int best = -1;
    int64_t bestArea = 0;
    for (size_t i = 0; i < displays.size(); ++i) {
        int64_t area = OverlapArea(displays[i], window);
        if (area > bestArea) {
            bestArea = area;
            best = static_cast<int>(i);
        }
    }
    if (best >= 0)
        return best;
    int64_t bestGap = INT64_MAX;
    for (size_t i = 0; i < displays.size(); ++i) {
        int64_t gap = GapSquared(displays[i], window);
        if (gap < bestGap) {
            bestGap = gap;
            best = static_cast<int>(i);
        }
    }
    return best;
}
