#pragma once

#include "toolkit/graphics/Bitmap.h"

#include <string_view>

// Small pieces the skinned controls share when they compose their pictures off screen.

// Whether a caption has anything to draw: something besides blanks and control characters at
// either end.
bool HasVisibleText(std::string_view text);

// An off-screen picture before anything is drawn on it: the size asked for (negative counts as
// 0), every pixel white.
TBitmap BlankBitmap(int width, int height);
