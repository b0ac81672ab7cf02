#include "player/core/Coverage.h"

#include <algorithm>

namespace {

struct Box {
    long left, top, right, bottom; // right and bottom exclusive
};

// What is left of `box` once `hole` is cut out of it: up to four boxes.
void Subtract(const Box& box, const Box& hole, std::vector<Box>& out)
{
    if (hole.right <= box.left || hole.left >= box.right || hole.bottom <= box.top || hole.top >= box.bottom) {
        out.push_back(box);
        return;
    }
    if (hole.top > box.top)
        out.push_back({box.left, box.top, box.right, hole.top});
    if (hole.bottom < box.bottom)
        out.push_back({box.left, hole.bottom, box.right, box.bottom});
    const long top = std::max(box.top, hole.top);
    const long bottom = std::min(box.bottom, hole.bottom);
    if (hole.left > box.left)
        out.push_back({box.left, top, hole.left, bottom});
    if (hole.right < box.right)
        out.push_back({hole.right, top, box.right, bottom});
}

Box ToBox(const TScreenRect& r)
{
    return {r.x, r.y, static_cast<long>(r.x) + std::max(r.width, 0), static_cast<long>(r.y) + std::max(r.height, 0)};
}

} // namespace

bool IsFullyCovered(const TScreenRect& area, const std::vector<TScreenRect>& windows)
{
    std::vector<Box> visible{ToBox(area)};
    if (visible.front().right <= visible.front().left || visible.front().bottom <= visible.front().top)
        return false;
    for (const TScreenRect& window : windows) {
        std::vector<Box> next;
        for (const Box& box : visible)
            Subtract(box, ToBox(window), next);
        visible.swap(next);
        if (visible.empty())
            return true;
        // Many small windows could split what is left into ever more pieces; past this many the
        // answer "visible" is the safe one (a wallpaper that plays costs CPU, one that stops is wrong).
        if (visible.size() > 4096)
            return false;
    }
    return visible.empty();
}
