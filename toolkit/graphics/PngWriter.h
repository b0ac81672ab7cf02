#pragma once

#include "toolkit/graphics/Bitmap.h"

#include <string>

class TStream;

// Writes the bitmap as a PNG of 8-bit samples: RGBA for pf32bit (alpha from the pixels), RGB
// for every other format. Only IHDR, IDAT and IEND are written and each row takes the filter
// that makes it smallest, so the bytes depend on nothing but the pixels, the format and the
// zlib in use. PNG has no empty pictures: an empty bitmap raises EInvalidGraphic.
void WritePng(const TBitmap& bitmap, TStream& stream);
void SavePngToFile(const TBitmap& bitmap, const std::string& fileName);

// Reads what WritePng makes, from the stream's position: an 8-bit RGB (giving pf24bit, opaque
// pixels) or RGBA (pf32bit) picture without interlacing; any filters, IDAT split anywhere,
// ancillary chunks skipped. Returns false and leaves the bitmap unchanged for everything
// else: other depths or colour types, interlacing, unknown critical chunks, a bad CRC, a
// truncated file, damaged or too much compressed data, or more than kMaxBitmapPixels pixels.
bool ReadPng(TStream& stream, TBitmap& bitmap);
// As ReadPng; a file that cannot be opened raises the stream's EFOpenError.
bool LoadPngFromFile(const std::string& fileName, TBitmap& bitmap);
