#pragma once

#include "skin/controls/CustomButton.h"
#include "toolkit/graphics/Bitmap.h"

// Where a push button's glyph stands relative to its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The skinned push button: the face strip stretched to the button's size with its corners kept,
// an optional glyph beside the caption, and the look (transparency, caption colour) of its style.
// A glyph twice as wide as high holds two pictures: the left one for enabled, the right one for
// disabled; a single picture is greyed when disabled.
class TsuiButton : public TsuiCustomButton {
public:
    explicit TsuiButton(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const TBitmap& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap& value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // Where the caption starts when there is a glyph, as the last paint placed it.
    TPoint CaptionOrigin() const { return captionOrigin_; }

protected:
    void StyleChanged() override;
    void PaintFace(TCanvas& canvas, TBitmap& face) override;
    void PaintCaption(TCanvas& canvas, const std::string& caption) override;
    // MacOS and BlueGlass buttons show the focus as a bold caption instead of a rectangle.
    void PaintFocus(TCanvas& canvas) override;

private:
    void PaintGlyph(TCanvas& canvas);

    TBitmap glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    TPoint captionOrigin_;
    int spacing_ = 4;
};
