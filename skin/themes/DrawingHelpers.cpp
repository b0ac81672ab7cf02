#include "skin/themes/DrawingHelpers.h"

#include "platform/FontEngine.h"
#include "toolkit/graphics/ImageList.h"
#include "toolkit/graphics/SystemColors.h"

#include <algorithm>

namespace {

constexpr TColor kKeyColor = RGB(255, 0, 255);

TBitmap Piece(const TBitmap& source, const TRect& part)
{
    TBitmap piece(part.Width(), part.Height());
    TCanvas canvas(piece);
    canvas.CopyRect(TRect(0, 0, part.Width(), part.Height()), source, part);
    return piece;
}

// A corner, at its size, without the key colour when asked: what drawing a copy of the piece
// through an image list of that size (masked or not) gives, without the copy.
void DrawCorner(const TBitmap& bitmap, TCanvas& canvas, const TRect& source, TPoint at, bool transparent)
{
    if (source.Width() <= 0 || source.Height() <= 0)
        return;
    const TRect target(at.X, at.Y, at.X + source.Width(), at.Y + source.Height());
    if (transparent)
        canvas.CopyRectTransparent(target, bitmap, source, kKeyColor);
    else
        canvas.CopyRect(target, bitmap, source);
}

// An edge or the centre: the source strip stretched to the target's size by the nearest pixel,
// the key colour left out; the same pixels as stretching it into a scratch bitmap and drawing
// that transparent, in one pass. A strip without pixels (the middle row of an image of even
// height has none) takes the single row or column where it starts, so the gap is still filled.
void DrawStretched(const TBitmap& bitmap, TCanvas& canvas, TRect source, const TRect& target)
{
    if (target.Width() <= 0 || target.Height() <= 0)
        return;
    if (source.Width() <= 0)
        source.Right = source.Left + 1;
    if (source.Height() <= 0)
        source.Bottom = source.Top + 1;
    canvas.CopyRectTransparent(target, bitmap, source, kKeyColor);
}

int AtLeastZero(int value) { return std::max(value, 0); }

// from + trunc((to - from) / steps * step) in double precision: the quotient is rounded before
// it is multiplied, so a product that is whole in exact arithmetic may fall just below it and
// truncate one lower (26 / 46 * 23 gives 12). Both steps go through memory so that an x87 build
// rounds them to double exactly as an SSE build does.
int Blend(int from, int to, int step, int steps)
{
    volatile double ratio = double(to - from) / double(steps);
    volatile double offset = ratio * double(step);
    return from + static_cast<int>(offset);
}

TColor GradientColor(TColor from, TColor to, int step, int steps)
{
    const auto channel = [](TColor c, int shift) { return (static_cast<uint32_t>(c) >> shift) & 0xFF; };
    return RGB(uint8_t(Blend(int(channel(from, 0)), int(channel(to, 0)), step, steps)),
               uint8_t(Blend(int(channel(from, 8)), int(channel(to, 8)), step, steps)),
               uint8_t(Blend(int(channel(from, 16)), int(channel(to, 16)), step, steps)));
}

void PenLine(TCanvas& canvas, TColor color, TPoint from, TPoint to)
{
    canvas.Pen().SetColor(color);
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
}

} // namespace

void CopyBitmapFrame(const TBitmap& source, TBitmap& dest, int frameCount, int frameIndex)
{
    if (frameCount < 1 || frameIndex < 1 || frameIndex > frameCount) {
        dest.SetSize(0, 0);
        return;
    }
    const int frameWidth = source.Width() / frameCount;
    const int left = frameIndex == frameCount ? source.Width() - frameWidth : (frameIndex - 1) * frameWidth;
    dest.SetSize(frameWidth, source.Height());
    for (int y = 0; y < source.Height() && frameWidth > 0; ++y)
        std::copy_n(source.ScanLine(y) + left, frameWidth, dest.ScanLine(y));
}

void StretchDrawNinePart(const TBitmap& bitmap, TCanvas& canvas, const TRect& rect, bool transparent)
{
    if (bitmap.Empty())
        return;
    const int sw = bitmap.Width(), sh = bitmap.Height();
    const int a = sw / 2, b = sh / 2;
    const int A = rect.Width() / 2, B = rect.Height() / 2;
    const int right = rect.Right, bottom = rect.Bottom;

    // 1. Top-left corner.
    const int w1 = AtLeastZero(std::min(a, A)), h1 = AtLeastZero(std::min(b, B));
    const TRect tl(0, 0, w1, h1);
    DrawCorner(bitmap, canvas, TRect(0, 0, w1, h1), tl.TopLeft(), transparent);
    // 2. Bottom-left corner.
    const int w2 = AtLeastZero(std::min(a, A)), h2 = AtLeastZero(std::min(b - 1, B - 1));
    const TRect bl(0, bottom - h2, w2, bottom);
    DrawCorner(bitmap, canvas, TRect(0, sh - h2, w2, sh), bl.TopLeft(), transparent);
    // 3. Left edge; a narrower target keeps the source's left part.
    DrawStretched(bitmap, canvas, TRect(0, b, std::min(a, tl.Right), sh - b), TRect(0, tl.Bottom, tl.Right, bl.Top));
    // 4. Top-right corner.
    const int w4 = AtLeastZero(std::min(a - 1, A - 1)), h4 = AtLeastZero(std::min(b, B));
    const TRect tr(right - w4, 0, right, h4);
    DrawCorner(bitmap, canvas, TRect(sw - w4, 0, sw, h4), tr.TopLeft(), transparent);
    // 5. Bottom-right corner.
    const int w5 = AtLeastZero(std::min(a - 1, A - 1)), h5 = AtLeastZero(std::min(b - 1, B - 1));
    const TRect br(right - w5, bottom - h5, right, bottom);
    DrawCorner(bitmap, canvas, TRect(sw - w5, sh - h5, sw, sh), br.TopLeft(), transparent);
    // 6. Right edge; a narrower target keeps the source's right part.
    const int rightStrip = std::min(a - 1, tr.Width());
    DrawStretched(bitmap, canvas, TRect(sw - rightStrip, sh - b, sw, b + 2), TRect(tr.Left, tr.Bottom, tr.Right, br.Top));
    // 7. Top edge; a lower target keeps the source's top part.
    DrawStretched(bitmap, canvas, TRect(a, 0, sw - a + 1, std::min(b, tl.Bottom)), TRect(tl.Right, 0, tr.Left, tl.Bottom));
    // 8. Centre.
    DrawStretched(bitmap, canvas, TRect(a, b, sw - a + 1, sh - b), TRect(tl.Right, tl.Bottom, tr.Left, br.Top - 1));
    // 9. Bottom edge, one pixel left of and above its gap; a lower target keeps the bottom part.
    const TRect bottomTarget(tl.Right - 1, bl.Top - 1, br.Left, bottom);
    DrawStretched(bitmap, canvas, TRect(a, sh - std::min(b, bottomTarget.Height()), sw - a + 1, sh), bottomTarget);
}

void DrawThreeSlice(const TBitmap& bitmap, TCanvas& canvas, const TRect& rect, TColor transColor, bool transparent)
{
    const int fw = bitmap.Width() / 3, fh = bitmap.Height();
    if (fw <= 0 || fh <= 0)
        return;
    if (rect.Width() < fw) {
        canvas.CopyRect(TRect(rect.Left, rect.Top, rect.Left + AtLeastZero(rect.Width()), rect.Top + fh), bitmap,
                        TRect(0, 0, AtLeastZero(rect.Width()), fh));
        return;
    }
    TImageList list(fw, fh);
    if (transparent)
        list.AddMasked(bitmap, transColor);
    else
        list.Add(bitmap);
    list.Draw(canvas, rect.Left, rect.Top, 0);
    list.Draw(canvas, rect.Right - fw, rect.Top, 2);
    // The middle keeps its own pixels, transparent colour included, as the frame's bitmap does.
    const TBitmap middle = Piece(bitmap, TRect(fw, 0, 2 * fw, fh));
    canvas.StretchDraw(TRect(rect.Left + fw, rect.Top, rect.Right - fw, rect.Top + fh), middle);
}

void StretchBitmapHalftone(const TBitmap& bitmap, TCanvas& canvas, const TRect& rect)
{
    canvas.SetStretchMode(TStretchMode::smHalftone);
    canvas.CopyRect(rect, bitmap, TRect(0, 0, bitmap.Width(), bitmap.Height()));
}

void TilePicture(TCanvas& canvas, const TPicture& picture, const TRect& rect)
{
    const int pw = picture.Width(), ph = picture.Height();
    if (picture.Empty() || pw <= 0 || ph <= 0)
        return;
    for (long long x = 0; x < (long long)pw + rect.Width(); x += pw)
        for (long long y = 0; y < (long long)ph + rect.Height(); y += ph)
            canvas.Draw(int(x), int(y), picture);
}

void DrawVerticalGradient(TCanvas& canvas, const TRect& rect, TColor fromColor, TColor toColor)
{
    if (rect.Bottom <= rect.Top)
        return;
    const TColor from = ColorToRGB(fromColor), to = ColorToRGB(toColor);
    const int steps = rect.Bottom - rect.Top;
    PenLine(canvas, from, {rect.Left, rect.Top}, {rect.Right, rect.Top});
    for (int y = rect.Top + 1; y <= rect.Bottom - 2; ++y)
        PenLine(canvas, GradientColor(from, to, y - rect.Top - 1, steps), {rect.Left, y}, {rect.Right, y});
    PenLine(canvas, to, {rect.Left, rect.Bottom - 1}, {rect.Right, rect.Bottom - 1});
}

void DrawHorizontalGradient(TCanvas& canvas, const TRect& rect, TColor fromColor, TColor toColor)
{
    if (rect.Right <= rect.Left)
        return;
    const TColor from = ColorToRGB(fromColor), to = ColorToRGB(toColor);
    const int steps = rect.Right - rect.Left;
    PenLine(canvas, from, {rect.Left, rect.Top}, {rect.Left, rect.Bottom});
    for (int x = rect.Left + 1; x <= rect.Right - 2; ++x)
        PenLine(canvas, GradientColor(from, to, x - rect.Left, steps), {x, rect.Top}, {x, rect.Bottom});
    PenLine(canvas, to, {rect.Right - 1, rect.Top}, {rect.Right - 1, rect.Bottom});
}

namespace {

// The bitmap's pixels replaced by `turned` (of swapped size); everything else about it stays.
void Replace(TBitmap& bitmap, const TBitmap& turned)
{
    bitmap.SetSize(turned.Width(), turned.Height());
    if (!turned.Empty())
        std::copy_n(turned.Bits(), size_t(turned.Width()) * size_t(turned.Height()), bitmap.Bits());
}

} // namespace

void RotateBitmapLeft(TBitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap turned(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            turned.ScanLine(w - 1 - x)[y] = bitmap.ScanLine(y)[x];
    Replace(bitmap, turned);
}

void RotateBitmapRight(TBitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap turned(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            turned.ScanLine(x)[h - 1 - y] = bitmap.ScanLine(y)[x];
    Replace(bitmap, turned);
}

void DrawWindowBorder(TCanvas& windowCanvas, TSize windowSize, TColor color, TColor innerColor, bool drawInner)
{
    const TRect frame(0, 0, windowSize.cx, windowSize.cy);
    windowCanvas.Save();
    windowCanvas.Brush().SetBitmap(nullptr);
    windowCanvas.Brush().SetColor(ColorToRGB(color));
    windowCanvas.FrameRect(frame);
    if (drawInner) {
        windowCanvas.Brush().SetColor(ColorToRGB(innerColor));
        windowCanvas.FrameRect(frame.Inflate(-1, -1));
    }
    windowCanvas.Restore();
}

bool PointInRect(TPoint point, const TRect& rect)
{
    return rect.Left <= point.X && point.X <= rect.Right && rect.Top <= point.Y && point.Y <= rect.Bottom;
}

std::string TruncateTextToWidth(const TCanvas& canvas, std::string_view text, int maxWidth)
{
    if (canvas.TextWidth(text) <= maxWidth)
        return std::string(text);
    // Byte offsets where each code point ends, so prefixes never split a character.
    std::vector<size_t> ends;
    for (size_t offset = 0; offset < text.size();) {
        DecodeUtf8At(text, offset);
        ends.push_back(offset);
    }
    for (size_t i = 1; i < ends.size(); ++i) {
        std::string result = std::string(text.substr(0, ends[i - 1])) + "...";
        if (canvas.TextWidth(result) >= maxWidth)
            return result;
    }
    return std::string(text);
}
