#pragma once

#include "toolkit/graphics/Geometry.h"

#include <cstdint>

// The scroll-bar information of a window's own scroll bar, laid out as the platform's 60-byte
// structure: the bar's rectangle on the screen, the size of an arrow button, the thumb's start
// and end as offsets from the bar's start, and state flags (STATE_SYSTEM_...) for the bar, the
// arrows, the two page areas and the thumb.
struct TScrollBarInfo {
    uint32_t cbSize = 60;
    TRect rcScrollBar;
    int32_t dxyLineButton = 0;
    int32_t xyThumbTop = 0;
    int32_t xyThumbBottom = 0;
    int32_t reserved = 0;
    uint32_t rgstate[6] = {};  // bar, up/left arrow, page up, thumb, page down, down/right arrow
};

// Range, page, position and the position while the thumb is dragged.
struct TScrollInfo {
    uint32_t cbSize = 28;
    uint32_t fMask = 0;
    int32_t nMin = 0;
    int32_t nMax = 0;
    uint32_t nPage = 0;
    int32_t nPos = 0;
    int32_t nTrackPos = 0;
};
