#pragma once

#include <string>
#include <string_view>

// The scale (PixelScale.h) the Linux desktop asks programs to draw at: GDK_SCALE when it is a
// whole number from 1 up (the desktop toolkits' own setting of it), else the X resource Xft.dpi,
// which desktops set to 96 times their scale factor; 1 when neither says.
int DesktopScale(const char* gdkScale, std::string_view xResources);

// The value of Xft.dpi in the text of the X server's resource database; 0 when it has none or
// none that is a number.
int XftDpi(std::string_view resources);

// The X server's resource database as the display holds it; empty without one.
std::string ReadXResources();
