#pragma once

#include "toolkit/core/Exceptions.h"
#include "toolkit/graphics/Color.h"

#include <cstdint>
#include <string>
#include <vector>

class TStream;

// A picture whose bytes do not make a bitmap the toolkit can read.
class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("位图无效") {}
};

// A request a bitmap cannot carry out, such as a scan line outside it.
class EInvalidGraphicOperation : public Exception {
public:
    explicit EInvalidGraphicOperation(const std::string& message) : Exception(message) {}
};

// What a bitmap's pixels came from. Storage is always 32 bits a pixel; the format is a record
// of the source and picks the depth a save writes, nothing more.
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// tmAuto takes the transparent colour from the bottom-left pixel; tmFixed uses the stored one.
enum class TTransparentMode { tmAuto, tmFixed };

// The most pixels a bitmap may hold: 16384 x 16384, 1 GiB of pixels. Readers check a header
// against it before they allocate, so a hostile header cannot ask for more.
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 28;

// A picture of 32-bit pixels. Each pixel is a uint32_t 0xAARRGGBB: alpha in the high byte
// (0xFF opaque), blue in the low byte. Rows are kept top row first, Width() pixels each with no
// padding, so ScanLine(y)[x] is pixel (x, y) and Bits() is the whole picture in one block.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height);
    TBitmap(const TBitmap&) = default;
    TBitmap& operator=(const TBitmap&) = default;
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Every pixel of the new size is opaque black (0xFF000000). A negative side counts as 0;
    // more than kMaxBitmapPixels raises EInvalidGraphic and leaves the bitmap as it was.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format) { pixelFormat_ = format; }

    // A TColor has no alpha: Pixel drops it and SetPixel makes the pixel opaque. Pixels outside
    // the bitmap read as clNone and ignore writes. A system colour's low 24 bits are stored as
    // they are, so resolve system colours before drawing with them.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Raises EInvalidGraphicOperation for a row outside the bitmap.
    uint32_t* ScanLine(int y);
    const uint32_t* ScanLine(int y) const;
    uint32_t* Bits() { return pixels_.data(); }
    const uint32_t* Bits() const { return pixels_.data(); }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // Under tmAuto the bottom-left pixel's colour (clNone for an empty bitmap).
    TColor TransparentColor() const;
    // Switches to tmFixed; clDefault switches back to tmAuto.
    void SetTransparentColor(TColor color);

    void Assign(const TBitmap& source) { *this = source; }
    // The picture of `source` (size, pixels, format) as a load from a file gives it: what the
    // caller said about transparency stays.
    void AssignPicture(const TBitmap& source);
    // Same size and the same 32-bit pixel values; format and transparency are not compared.
    bool operator==(const TBitmap& other) const;

    // Reads a .bmp file from the stream's position; a failure raises EInvalidGraphic and leaves
    // the bitmap unchanged. A save writes 32 bits a pixel for pf32bit, else 24, bottom-up.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    static uint32_t ColorToPixel(TColor color);
    static TColor PixelToColor(uint32_t pixel);

    void Swap(TBitmap& other) noexcept;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    TPixelFormat pixelFormat_ = TPixelFormat::pfDevice;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
    TColor transparentColor_ = clDefault;
};
