#include "skin/controls/Button.h"

#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/graphics/ImageList.h"

#include <memory>

TsuiButton::TsuiButton(TComponent* owner) : TsuiCustomButton(owner)
{
    StyleChanged();
    SetBounds(Left(), Top(), 80, 27);
}

const TClassInfo& TsuiButton::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiButton", &TsuiCustomButton::StaticClassInfo(), [](TComponent* owner) { return new TsuiButton(owner); },
        [](TClassInfo& c) {
            TPublisher<TsuiButton>(c)
                .Picture(
                    "Glyph", [](const TsuiButton& self) { return std::make_shared<const TBitmap>(self.Glyph()); },
                    [](TsuiButton& self, const TPictureValue& value) { self.SetGlyph(value ? *value : TBitmap()); })
                .Enum<TButtonLayout>("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                                     &TsuiButton::Layout, &TsuiButton::SetLayout)
                .Integer("Spacing", &TsuiButton::Spacing, &TsuiButton::SetSpacing)
                // Kept for layouts that store it; a button has no resource module of its own.
                .Integer("ResHandle", [](const TsuiButton&) { return 0; }, [](TsuiButton&, int) {});
        });
    return info;
}

void TsuiButton::SetGlyph(const TBitmap& value)
{
    glyph_ = value;
    Repaint();
}

void TsuiButton::SetLayout(TButtonLayout value)
{
    layout_ = value;
    Repaint();
}

void TsuiButton::SetSpacing(int value)
{
    spacing_ = value;
    Repaint();
}

void TsuiButton::StyleChanged()
{
    TsuiUIStyle effective;
    if (UsesFileTheme(FileTheme(), UIStyle(), effective)) {
        SetTransparent(FileTheme()->GetFlag(SKIN2_BUTTONTRANS));
        Font().SetColor(FileTheme()->GetColor(SKIN2_BUTTONFONTCOLOR));
    } else {
        SetTransparent(GetStyleFlag(effective, STYLE_BUTTON_TRANSPARENT));
        Font().SetColor(clBlack);
    }
}

void TsuiButton::PaintFace(TCanvas& canvas, TBitmap& face)
{
    canvas.SetFont(Font());
    StretchDrawNinePart(face, canvas, ClientRect(), faceTransparent_);
    if (!glyph_.Empty())
        PaintGlyph(canvas);
}

void TsuiButton::PaintGlyph(TCanvas& canvas)
{
    const int tw = canvas.TextWidth(Caption());
    const int th = canvas.TextHeight(Caption());
    int gw = glyph_.Width();
    const int gh = glyph_.Height();
    const bool pair = gw == 2 * gh;
    if (pair)
        gw = gh;
    const int w = Width(), h = Height();
    int gx = 0, gy = 0, cx = 0, cy = 0;
    switch (layout_) {
    case blGlyphLeft:
        gx = (w - gw - tw - spacing_) / 2;
        gy = (h - gh) / 2;
        cx = gx + gw + spacing_;
        cy = (h - th) / 2;
        break;
    case blGlyphRight:
        gx = (w + tw + spacing_ - gw) / 2;
        gy = (h - gh) / 2;
        cx = gx - tw - spacing_;
        cy = (h - th) / 2;
        break;
    case blGlyphTop:
        gx = (w - gw) / 2;
        gy = (h - th - gh - spacing_) / 2;
        cx = (w - tw) / 2;
        cy = gy + gh + spacing_;
        break;
    case blGlyphBottom:
        gx = (w - gw) / 2;
        gy = (h + th + spacing_ - gh) / 2;
        cx = (w - tw) / 2;
        cy = gy - th - spacing_;
        break;
    }
    captionOrigin_ = TPoint(cx, cy);
    if (Pressed()) {
        ++gx;
        ++gy;
    }
    TImageList images(gw, gh);
    images.AddMasked(glyph_, glyph_.Pixel(0, 0));
    if (pair)
        images.Draw(canvas, gx, gy, Enabled() ? 0 : 1, true);
    else
        images.Draw(canvas, gx, gy, 0, Enabled());
}

void TsuiButton::PaintCaption(TCanvas& canvas, const std::string& caption)
{
    if (glyph_.Empty()) {
        TsuiCustomButton::PaintCaption(canvas, caption);
        return;
    }
    constexpr unsigned kFlags = DT_LEFT | DT_SINGLELINE;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetFont(Font());
    TPoint origin = captionOrigin_;
    if (!Enabled()) {
        canvas.Font().SetColor(clWhite);
        TRect etch(origin.X + 1, origin.Y + 1, Width(), Height());
        canvas.DrawText(caption, etch, kFlags);
        canvas.Font().SetColor(RGB(128, 128, 128));
    } else if (Pressed()) {
        origin = origin + TPoint(1, 1);
    }
    TRect area(origin.X, origin.Y, Width(), Height());
    canvas.DrawText(caption, area, kFlags);
}

void TsuiButton::PaintFocus(TCanvas& canvas)
{
    if (UIStyle() == MacOS || UIStyle() == BlueGlass)
        focusBold_ = true;
    else
        TsuiCustomButton::PaintFocus(canvas);
}
