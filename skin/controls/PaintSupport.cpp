#include "skin/controls/PaintSupport.h"

#include <algorithm>

bool HasVisibleText(std::string_view text)
{
    // Bytes of multi-byte characters are above 0x7F, so they count as visible.
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

TBitmap BlankBitmap(int width, int height)
{
    TBitmap bitmap(std::max(width, 0), std::max(height, 0));
    const uint32_t white = TBitmap::ColorToPixel(clWhite);
    std::fill(bitmap.Bits(), bitmap.Bits() + size_t(bitmap.Width()) * size_t(bitmap.Height()), white);
    return bitmap;
}
