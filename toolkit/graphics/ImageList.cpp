#include "toolkit/graphics/ImageList.h"

#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/SystemColors.h"

#include <algorithm>

TImageList::TImageList(int width, int height) : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

int TImageList::Add(const TBitmap& image) { return AddImages(image, false, 0); }

int TImageList::AddMasked(const TBitmap& image, TColor maskColor)
{
    return AddImages(image, true, TBitmap::ColorToPixel(maskColor) & 0x00FFFFFFu);
}

int TImageList::AddImages(const TBitmap& image, bool masked, uint32_t maskRgb)
{
    if (image.Empty() || width_ == 0 || height_ == 0)
        return -1;
    const int first = Count();
    const int count = std::max(1, image.Width() / width_);
    for (int n = 0; n < count; ++n) {
        Image entry;
        entry.pixels.SetSize(width_, height_);
        entry.covered = TSize(std::clamp(image.Width() - n * width_, 0, width_), std::min(height_, image.Height()));
        if (masked)
            entry.maskRgb = maskRgb;
        for (int y = 0; y < entry.covered.cy; ++y) {
            const uint32_t* source = image.ScanLine(y) + size_t(n) * size_t(width_);
            uint32_t* target = entry.pixels.ScanLine(y);
            for (int x = 0; x < entry.covered.cx; ++x)
                target[x] = source[x] | 0xFF000000u;
        }
        images_.push_back(std::move(entry));
    }
    return first;
}

bool TImageList::Image::Opaque(int x, int y) const
{
    return x < covered.cx && y < covered.cy && (!maskRgb || (pixels.ScanLine(y)[x] & 0x00FFFFFFu) != *maskRgb);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const Image& image = images_[size_t(index)];
    if (enabled) {
        const TRect part(0, 0, image.covered.cx, image.covered.cy);
        const TRect at = part.Offset(x, y);
        if (image.maskRgb)
            canvas.CopyRectTransparent(at, image.pixels, part, TBitmap::PixelToColor(*image.maskRgb));
        else
            canvas.CopyRect(at, image.pixels, part);
        return;
    }
    // The etched look: the shape once in the highlight colour, one pixel down and right, then in
    // the shadow colour in its place. White pixels belong to the background, as on a mono copy.
    auto inShape = [&](int px, int py) {
        return image.Opaque(px, py) && (image.pixels.ScanLine(py)[px] & 0x00FFFFFFu) != 0x00FFFFFFu;
    };
    for (const auto& [dx, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}})
        for (int py = 0; py < height_; ++py)
            for (int px = 0; px < width_; ++px)
                if (inShape(px, py))
                    canvas.SetPixel(x + px + dx, y + py + dx, color);
}
