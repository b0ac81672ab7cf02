#pragma once

#include "toolkit/graphics/Bitmap.h"

class TStream;

// Reads a .bmp file at the stream's position: a "BM" file header, then an info header of 12
// (the old core header), 40, 52, 56, 108 or 124 bytes. Accepted pixels:
//   1, 4 and 8 bits through a palette (biClrUsed entries, else 2^bits; indices past the
//   palette read as black), uncompressed or, for 8 and 4 bits, RLE8/RLE4;
//   16 bits as 5-5-5 unless bit fields say otherwise; 24 bits; 32 bits as BGRx unless bit
//   fields say otherwise.
// Alpha is read only from an alpha bit field (BI_BITFIELDS in a V4/V5 header, or
// BI_ALPHABITFIELDS); every other pixel comes out opaque. Rows may run bottom-up or top-down
// (not for RLE) and are padded to 4 bytes; the last row's padding may be missing. Pixels an RLE
// picture skips stay opaque black, and its runs are clipped to the picture. Anything else -
// other compressions, sizes past kMaxBitmapPixels, a palette or pixels past the end of the
// stream, an RLE command cut off - raises EInvalidGraphic. On success the stream stands after
// the pixel data; on failure bitmap is untouched.
void ReadBmp(TStream& stream, TBitmap& bitmap);

// The same for a DIB without the file header, as resources and the clipboard hold them: the
// info header, its bit fields and palette, and the pixels straight after.
void ReadDib(TStream& stream, TBitmap& bitmap);

enum class TBmpDepth { bits24, bits32 };

// Writes a .bmp file with a 40-byte info header, bottom-up, uncompressed. 32-bit pixels carry
// the bitmap's alpha in their fourth byte, which readers of BI_RGB (this one too) ignore.
void WriteBmp(const TBitmap& bitmap, TStream& stream, TBmpDepth depth);
