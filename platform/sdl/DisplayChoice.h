#pragma once

#include "platform/WindowHost.h"

#include <vector>

// Which display a window belongs to, as the work area and centring need it: the display that
// holds the largest part of the window, else the one nearest to it (a window that lies wholly
// off screen still gets a display). -1 when there is no display.
int DisplayForWindow(const std::vector<HostRect>& displays, const HostRect& window);
