#pragma once

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/Geometry.h"

#include <optional>
#include <vector>

class TCanvas;

// Images of one size with a transparency mask each, drawn normally or in the greyed look of a
// disabled control.
class TImageList {
public:
    TImageList(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return int(images_.size()); }

    // Adds the bitmap cut into Width-wide images from the left (one image when it is narrower);
    // a part of an image outside the bitmap is transparent. Returns the index of the first image
    // added, -1 for an empty bitmap.
    int Add(const TBitmap& image);
    // As Add, and every pixel of maskColor (alpha ignored) becomes transparent.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Clear() { images_.clear(); }

    // Draws image index (nothing for an index out of range) with its top-left at (x, y).
    // Disabled, the image is greyed: each opaque pixel that is not pure white becomes a pixel of
    // clBtnHighlight one pixel right and down, then of clBtnShadow at its own place.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    // The pixels drawn are those of the top-left covered part that are not of the mask colour.
    struct Image {
        TBitmap pixels;
        TSize covered;
        std::optional<uint32_t> maskRgb;
        bool Opaque(int x, int y) const;
    };
    int AddImages(const TBitmap& image, bool masked, uint32_t maskRgb);

    int width_;
    int height_;
    std::vector<Image> images_;
};
