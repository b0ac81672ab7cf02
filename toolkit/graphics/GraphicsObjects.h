#pragma once

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Color.h"

#include <memory>

// The pen and the brush of a canvas. Both hold plain values; a canvas reads them each time it
// draws, so changing one affects the next drawing call only.

// psDot and psAlternate set every other pixel along a line, psDash runs 6 on and 2 off,
// psDashDot 6 on, 2 off, 1 on, 2 off, psDashDotDot 6, 2, 1, 2, 1, 2. A pen wider than one pixel
// is always solid (and drawn at most 64 pixels wide). psClear draws nothing; psInsideFrame draws
// like psSolid. Line coordinates beyond +-2^28 are taken as +-2^28.
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psAlternate };
// How a pen's pixels combine with what is there: copy the colour, invert the pixel (pmNot), or
// exclusive-or the colour into it (pmXor). Drawing twice with pmNot or pmXor restores the picture.
enum class TPenMode { pmCopy, pmNot, pmXor };

class TPen {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // Below 1 counts as 1.
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width < 1 ? 1 : width; }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style) { style_ = style; }
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode) { mode_ = mode; }

    void Assign(const TPen& source) { *this = source; }

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    TPenMode mode_ = TPenMode::pmCopy;
};

// bsSolid fills with Color, bsClear leaves the background alone (and makes text transparent).
// A brush with a pattern bitmap fills with that bitmap repeated, whatever the style: pattern
// pixel (x mod w, y mod h) goes to target pixel (x, y), counted in the target bitmap's own
// pixels, so the pattern lines up across separately drawn pieces and ignores the canvas origin.
enum class TBrushStyle { bsSolid, bsClear };

class TBrush {
public:
    TColor Color() const { return color_; }
    // Setting a colour on a clear brush makes it solid, as on the classic toolkit.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style) { style_ = style; }
    // The pattern, or nullptr. SetBitmap copies the bitmap (nullptr or an empty one removes it).
    const TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(const TBitmap* pattern);

    // True when the brush paints at all (a pattern, or a solid style).
    bool Paints() const { return bitmap_ != nullptr || style_ == TBrushStyle::bsSolid; }
    void Assign(const TBrush& source) { *this = source; }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    std::shared_ptr<const TBitmap> bitmap_;  // shared between copies; never changed once set
};
