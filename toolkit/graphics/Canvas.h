#pragma once

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/graphics/Geometry.h"
#include "toolkit/graphics/GraphicsObjects.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

class TPicture;
class TRegion;
struct TFontMetrics;

// DrawText format bits, with the platform's values so that stored numbers mean the same.
constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;

// How CopyRect and StretchDraw resample when the sizes differ: the first three pick the nearest
// source pixel; smHalftone averages the source area under each target pixel.
enum class TStretchMode { smBlackOnWhite = 1, smWhiteOnBlack = 2, smColorOnColor = 3, smHalftone = 4 };

// Draws into a TBitmap. The canvas owns translation and clipping: every coordinate given to it
// is logical, moved by the origin into the target's pixels and cut to the clip rectangle (which
// never reaches outside the target). Save() pushes origin, clip, pen, brush, font, pen position
// and stretch mode; Restore() pops them, so a helper can change anything and put it all back.
//
// Coordinates follow the platform's conventions: rectangles exclude their right and bottom edges
// (Rectangle(0, 0, 4, 4) touches columns 0..3), LineTo does not set its end point, and shapes fit
// inside their bounding rectangle. Every pixel a canvas writes is opaque (alpha 0xFF). Colours may
// be system colours; the canvas resolves them with ColorToRGB. Text is UTF-8, drawn with the font
// engine installed by SetFontEngine (FontEngineSlot.h).
//
// A canvas without a target (TCanvas() or SetTarget(nullptr)) measures text but draws nothing.
class TCanvas {
public:
    TCanvas();
    explicit TCanvas(TBitmap& target);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Points the canvas at another bitmap (or none) and resets origin, clip and the state stack.
    // The bitmap must outlive its use by the canvas, and must not be resized while it is in use
    // without calling SetTarget again (the clip follows the target's size as it was then).
    void SetTarget(TBitmap* target);
    TBitmap* Target() const { return target_; }
    bool HasTarget() const { return target_ != nullptr; }

    TPen& Pen() { return pen_; }
    const TPen& Pen() const { return pen_; }
    TBrush& Brush() { return brush_; }
    const TBrush& Brush() const { return brush_; }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }

    TStretchMode StretchMode() const { return stretchMode_; }
    void SetStretchMode(TStretchMode mode) { stretchMode_ = mode; }

    // --- State: origin and clip -------------------------------------------------------------
    void Save();
    // Does nothing when nothing is saved.
    void Restore();
    int SaveDepth() const { return int(saved_.size()); }
    // Where logical (0, 0) lies in the target's pixels.
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }
    // Moves logical (0, 0) by (dx, dy) target pixels.
    void Translate(int dx, int dy);
    // Narrows the clip to rect (logical); it can never grow again except through Restore or
    // ResetClip.
    void IntersectClip(const TRect& rect);
    // The clip becomes the whole target.
    void ResetClip();
    // The clip in logical coordinates (the part of the target that drawing can still reach).
    TRect ClipRect() const;

    // --- Pixels and plain shapes --------------------------------------------------------------
    // clNone outside the clip or without a target.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Fills rect with the brush (nothing for a clear brush).
    void FillRect(const TRect& rect);
    // A one-pixel frame just inside rect in the brush.
    void FrameRect(const TRect& rect);
    // Inverts every pixel of rect.
    void InvertRect(const TRect& rect);
    // An outline in the pen around (left, top) .. (right - 1, bottom - 1), the inside filled
    // with the brush.
    void Rectangle(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(TRect(left, top, right, bottom)); }
    // The standard dotted focus frame, drawn by inverting every other pixel of a one-pixel frame
    // just inside rect, so drawing it twice restores the picture. The dots fall on target pixels
    // whose x + y is even.
    void DrawFocusRect(const TRect& rect);

    // --- Lines -------------------------------------------------------------------------------
    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line in the pen from the pen position to (x, y), which is not set; the pen moves there.
    void LineTo(int x, int y);
    // Lines through the points; the last point is not set. The pen ends at the last point.
    void Polyline(std::span<const TPoint> points);
    // A closed outline in the pen, filled with the brush (alternate filling: a pixel is inside
    // when its centre lies inside the outline an odd number of times).
    void Polygon(std::span<const TPoint> points);

    // --- Curved shapes: pixel-exact, integer arithmetic only ----------------------------------
    // (A bounding box over 16384 pixels wide or high draws nothing.)
    // An ellipse inside rect's pixels: outline in the pen, inside filled with the brush.
    void Ellipse(const TRect& rect);
    void Ellipse(int left, int top, int right, int bottom) { Ellipse(TRect(left, top, right, bottom)); }
    // The part of the ellipse outline inside (x1, y1, x2, y2) that runs counter-clockwise from
    // the ray through (x3, y3) to the ray through (x4, y4), both rays from the centre. Equal
    // rays draw the whole outline.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // A rectangle whose corners are quarter ellipses of ellipseWidth x ellipseHeight.
    void RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
    {
        RoundRect(TRect(left, top, right, bottom), ellipseWidth, ellipseHeight);
    }
    // Fills the region's pixels (logical coordinates) with the brush.
    void FillRegion(const TRegion& region);

    // --- Pictures ----------------------------------------------------------------------------
    // The bitmap at (x, y), unscaled; when it is Transparent, pixels of its transparent colour
    // are left out.
    void Draw(int x, int y, const TBitmap& bitmap);
    void Draw(int x, int y, const TPicture& picture);
    // The bitmap stretched into rect with the stretch mode; a transparent bitmap always takes the
    // nearest pixel and leaves its transparent colour out. A rectangle with Right < Left or
    // Bottom < Top mirrors the picture in that direction.
    void StretchDraw(const TRect& rect, const TBitmap& bitmap);
    void StretchDraw(const TRect& rect, const TPicture& picture);
    // Copies source (its own logical coordinates) to dest, opaque, stretching with the stretch
    // mode when the sizes differ; mirrored as StretchDraw. Parts of source outside its bitmap
    // read as black.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);
    // As CopyRect, but always by the nearest pixel, and source pixels of transparentColor (alpha
    // ignored) leave the target as it was.
    void CopyRectTransparent(const TRect& dest, const TBitmap& source, const TRect& sourceRect, TColor transparentColor);

    // --- Text ----------------------------------------------------------------------------------
    // The text's cell starts at (x, y): the baseline lies the font's ascent below y. With a brush
    // that paints, the cell (TextWidth x TextHeight) is filled with the brush colour first. The
    // pen position moves to (x + TextWidth, y).
    void TextOut(int x, int y, std::string_view text);
    // As TextOut, but clipped to rect; a brush that paints fills all of rect.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    int TextWidth(std::string_view text) const;
    // The font's line height (ascent + descent), whatever the text.
    int TextHeight(std::string_view text) const;
    TSize TextExtent(std::string_view text) const;
    // Formats text into rect by the DT_ flags. Supported: DT_LEFT/CENTER/RIGHT, DT_TOP/VCENTER/
    // BOTTOM (single line only), DT_SINGLELINE, DT_WORDBREAK (at spaces and between wide
    // characters; a word longer than the line stays whole), DT_EXPANDTABS (stops every 8 average
    // character widths), DT_CALCRECT (draws nothing; Right and Bottom are set to bound the text,
    // Left and Top kept), DT_NOCLIP, DT_EXTERNALLEADING, DT_NOPREFIX, DT_HIDEPREFIX,
    // DT_PREFIXONLY and DT_END_ELLIPSIS. Without DT_NOPREFIX "&x" underlines x and "&&" is
    // "&". Returns the height of the text.
    int DrawText(std::string_view text, TRect& rect, unsigned format);

private:
    struct State {
        TPen pen;
        TBrush brush;
        TFont font;
        TStretchMode stretchMode;
        TPoint origin;
        TRect clip;
        TPoint penPos;
    };

    // Shapes: CanvasShapes.cpp; pictures: CanvasImages.cpp; text: CanvasText.cpp.
    TRect ToDevice(const TRect& logical) const { return logical.Offset(origin_); }
    void PutPixel(int dx, int dy, uint32_t pixel);
    void PenPixel(int dx, int dy, uint32_t pixel);
    void FillDeviceRect(const TRect& device, uint32_t pixel);
    void BrushDeviceSpan(int x0, int x1, int y);
    void PenLine(TPoint from, TPoint to, int& dashStep);
    void DrawShapeRows(const std::vector<std::pair<int, int>>& rows, int top, bool fill,
                       const std::function<bool(int, int)>* keep);
    void StretchInto(const TRect& dest, const TBitmap& source, const TRect& sourceRect, bool transparent,
                     uint32_t transparentPixel);
    void DrawRun(int x, int y, std::string_view text);
    void FontBar(int x0, int x1, int top, int thickness);
    void DrawDecorations(int x, int y, int width, const TFontMetrics& metrics);

    TBitmap* target_ = nullptr;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TStretchMode stretchMode_ = TStretchMode::smColorOnColor;
    TPoint origin_;
    TRect clip_;  // target pixels, never outside the target
    TPoint penPos_;
    std::vector<State> saved_;
};
