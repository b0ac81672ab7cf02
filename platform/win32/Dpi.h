#pragma once

#include <windows.h>

// Dots per inch as the program, declared aware of each monitor's density, is told them: the
// monitor's own where the system can say (Windows 8.1 and later), else the system-wide value.
int MonitorDpi(HMONITOR monitor);
// The density of the monitor a window is on.
int WindowDpi(HWND window);
// The scale (PixelScale.h) of the monitor nearest to a rectangle or point of screen pixels.
int ScaleNear(const RECT& screen);
int ScaleAt(POINT screen);
