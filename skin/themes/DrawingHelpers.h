#pragma once

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Geometry.h"
#include "toolkit/graphics/Picture.h"

#include <string>
#include <string_view>

// Stateless drawing routines shared by the skinned controls: cutting multi-state strips into
// frames, stretching skin pictures around fixed corners, gradients, rotations and frames.
// Colours may be system colours; they are resolved before drawing.

// Frame frameIndex (1-based) of a strip of frameCount equal frames side by side. Frames are
// Width / frameCount wide; the last one is taken flush with the right edge, skipping any spare
// columns. Dest gets the frame's size and pixels (its other settings stay). A frameCount below 1
// or a frameIndex outside 1 .. frameCount leaves dest empty (0 x 0).
void CopyBitmapFrame(const TBitmap& source, TBitmap& dest, int frameCount, int frameIndex);

// The bitmap drawn into rect with its four corners at their own size and the edges and centre
// stretched; corners are masked by 0xFF00FF when transparent is true, edges and centre always.
// Rect's Left and Top are taken as 0 (a control's client rectangle).
void StretchDrawNinePart(const TBitmap& bitmap, TCanvas& canvas, const TRect& rect, bool transparent);

// A strip of three equal frames (left cap, middle, right cap) drawn across rect: caps at their
// size, middle stretched between them; caps masked by transColor when transparent is true.
void DrawThreeSlice(const TBitmap& bitmap, TCanvas& canvas, const TRect& rect, TColor transColor, bool transparent);

// The whole bitmap stretched into rect, averaging (halftone); the canvas keeps halftone mode.
void StretchBitmapHalftone(const TBitmap& bitmap, TCanvas& canvas, const TRect& rect);

// The picture repeated unscaled from (0, 0) of the canvas, one spare tile beyond rect's width
// and height each way. An empty picture draws nothing.
void TilePicture(TCanvas& canvas, const TPicture& picture, const TRect& rect);

// One pen line per row (vertical) or column (horizontal) from fromColor to toColor. The canvas
// pen colour is left at the last colour drawn.
void DrawVerticalGradient(TCanvas& canvas, const TRect& rect, TColor fromColor, TColor toColor);
void DrawHorizontalGradient(TCanvas& canvas, const TRect& rect, TColor fromColor, TColor toColor);

// A quarter turn counter-clockwise (left) or clockwise (right), in place.
void RotateBitmapLeft(TBitmap& bitmap);
void RotateBitmapRight(TBitmap& bitmap);

// The one- or two-pixel frame of a window's non-client area. windowCanvas covers the whole
// window (origin at its top-left corner) and windowSize is the window's size.
void DrawWindowBorder(TCanvas& windowCanvas, TSize windowSize, TColor color, TColor innerColor, bool drawInner);

// Right and bottom edges count as inside: PointInRect((10, 10), (0, 0, 10, 10)) is true.
bool PointInRect(TPoint point, const TRect& rect);

// Text when it fits into maxWidth in the canvas font; otherwise the shortest "first i characters
// + ..." that is at least maxWidth wide, or the text itself when no such prefix is shorter than
// it. Characters are code points, never parts of one.
std::string TruncateTextToWidth(const TCanvas& canvas, std::string_view text, int maxWidth);
