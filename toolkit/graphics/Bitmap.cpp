#include "toolkit/graphics/Bitmap.h"

#include "toolkit/graphics/BmpCodec.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <algorithm>
#include <utility>

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::TBitmap(TBitmap&& other) noexcept
{
    Swap(other);
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept
{
    if (this != &other) {
        TBitmap emptied;
        Swap(other);
        other.Swap(emptied);
    }
    return *this;
}

void TBitmap::Swap(TBitmap& other) noexcept
{
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    pixels_.swap(other.pixels_);
    std::swap(pixelFormat_, other.pixelFormat_);
    std::swap(transparent_, other.transparent_);
    std::swap(transparentMode_, other.transparentMode_);
    std::swap(transparentColor_, other.transparentColor_);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (int64_t(width) * height > kMaxBitmapPixels)
        throw EInvalidGraphic();
    // Assign rather than resize: the old pixels would otherwise survive in the overlap.
    pixels_.assign(size_t(width) * size_t(height), 0xFF000000u);
    width_ = width;
    height_ = height;
}

uint32_t TBitmap::ColorToPixel(TColor color)
{
    auto bits = static_cast<uint32_t>(color);
    uint32_t red = bits & 0xFF, green = (bits >> 8) & 0xFF, blue = (bits >> 16) & 0xFF;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

TColor TBitmap::PixelToColor(uint32_t pixel)
{
    return RGB(uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel));
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return clNone;
    return PixelToColor(pixels_[size_t(y) * size_t(width_) + size_t(x)]);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[size_t(y) * size_t(width_) + size_t(x)] = ColorToPixel(color);
}

uint32_t* TBitmap::ScanLine(int y)
{
    return const_cast<uint32_t*>(std::as_const(*this).ScanLine(y));
}

const uint32_t* TBitmap::ScanLine(int y) const
{
    if (y < 0 || y >= height_)
        throw EInvalidGraphicOperation("扫描线索引超出范围");
    return pixels_.data() + size_t(y) * size_t(width_);
}

// Fixing the mode pins the colour the automatic choice gives now, so the picture keeps the
// same transparent colour until someone sets another.
void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == transparentMode_)
        return;
    transparentColor_ = mode == TTransparentMode::tmAuto ? clDefault : TransparentColor();
    transparentMode_ = mode;
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == TTransparentMode::tmFixed)
        return transparentColor_;
    return Empty() ? clNone : Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

bool TBitmap::operator==(const TBitmap& other) const
{
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

void TBitmap::LoadFromStream(TStream& stream)
{
    TBitmap loaded;
    ReadBmp(stream, loaded);
    // The picture changes; what the caller said about transparency does not.
    loaded.transparent_ = transparent_;
    loaded.transparentMode_ = transparentMode_;
    loaded.transparentColor_ = transparentColor_;
    Swap(loaded);
}

void TBitmap::AssignPicture(const TBitmap& source)
{
    width_ = source.width_;
    height_ = source.height_;
    pixels_ = source.pixels_;
    pixelFormat_ = source.pixelFormat_;
}

void TBitmap::SaveToStream(TStream& stream) const
{
    WriteBmp(*this, stream, pixelFormat_ == TPixelFormat::pf32bit ? TBmpDepth::bits32 : TBmpDepth::bits24);
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    // One read of the whole file: the reader seeks about and a file stream does that slowly.
    TMemoryStream bytes;
    bytes.LoadFromFile(fileName);
    LoadFromStream(bytes);
}

void TBitmap::SaveToFile(const std::string& fileName) const
{
    TMemoryStream bytes;
    SaveToStream(bytes);
    bytes.SaveToFile(fileName);
}
