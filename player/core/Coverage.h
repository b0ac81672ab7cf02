#pragma once

#include <vector>

struct TScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Whether the windows together leave no pixel of `area` showing.
bool IsFullyCovered(const TScreenRect& area, const std::vector<TScreenRect>& windows);
