#include "toolkit/CanvasTestSupport.h"

#include "toolkit/graphics/Region.h"
#include "toolkit/graphics/SystemColors.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

TEST(CanvasLines, LineToLeavesItsEndPointAndMovesThePen)
{
    TBitmap bitmap = WhiteBitmap(6, 4);
    TCanvas canvas(bitmap);
    canvas.MoveTo(1, 0);
    canvas.LineTo(5, 0);
    canvas.LineTo(5, 3);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 3);
    EXPECT_EQ(Picture(bitmap), (Rows{"######", ".#...#", "..#..#", "......"}));
    EXPECT_EQ(canvas.PenPos(), TPoint(3, 3));
}

TEST(CanvasLines, BackwardsLinesCoverTheSamePixelsShiftedByTheExcludedEnd)
{
    TBitmap bitmap = WhiteBitmap(5, 1);
    TCanvas canvas(bitmap);
    canvas.MoveTo(4, 0);
    canvas.LineTo(0, 0);
    EXPECT_EQ(Picture(bitmap), (Rows{".####"}));
}

TEST(CanvasLines, HugeCoordinatesCostOnlyTheVisiblePart)
{
    TBitmap bitmap = WhiteBitmap(4, 3);
    TCanvas canvas(bitmap);
    canvas.MoveTo(-2000000000, 1);
    canvas.LineTo(2000000000, 1);
    canvas.Pen().SetWidth(1000000);
    canvas.MoveTo(2, -2000000000);
    canvas.LineTo(2, -1999999000);  // far above: nothing
    EXPECT_EQ(Picture(bitmap), (Rows{"....", "####", "...."}));
}

TEST(CanvasLines, WidePenStampsASquareAtEveryStep)
{
    TBitmap bitmap = WhiteBitmap(6, 5);
    TCanvas canvas(bitmap);
    canvas.Pen().SetWidth(3);
    canvas.MoveTo(1, 2);
    canvas.LineTo(4, 2);
    EXPECT_EQ(Picture(bitmap), (Rows{"......", "#####.", "#####.", "#####.", "......"}));
}

TEST(CanvasLines, PolylineJoinsSegmentsAndLeavesOnlyTheLastPoint)
{
    TBitmap bitmap = WhiteBitmap(4, 4);
    TCanvas canvas(bitmap);
    const TPoint points[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
    canvas.Polyline(points);
    EXPECT_EQ(Picture(bitmap), (Rows{"####", "...#", "...#", ".###"}));
}

TEST(CanvasLines, DottedPenSetsEveryOtherPixelAcrossSegments)
{
    TBitmap bitmap = WhiteBitmap(7, 3);
    TCanvas canvas(bitmap);
    canvas.Pen().SetStyle(TPenStyle::psDot);
    const TPoint points[] = {{0, 0}, {3, 0}, {3, 3}};
    canvas.Polyline(points);
    canvas.MoveTo(0, 2);
    canvas.LineTo(3, 2);
    EXPECT_EQ(Picture(bitmap), (Rows{"#.#....", "...#...", "#.#...."}));
}

TEST(CanvasLines, ClearPenDrawsNothingAndNotPenRestoresWhenDrawnTwice)
{
    TBitmap bitmap = WhiteBitmap(4, 1);
    TCanvas canvas(bitmap);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 0);
    EXPECT_EQ(Picture(bitmap), (Rows{"...."}));

    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetMode(TPenMode::pmNot);
    canvas.SetPixel(1, 0, clRed);
    const TBitmap before = bitmap;
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 0);
    EXPECT_EQ(Picture(bitmap, {{TColor(0xFFFF00), 'c'}}), (Rows{"#c##"}));
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 0);
    EXPECT_EQ(bitmap, before);
}

TEST(CanvasShapes, RectangleOutlinesInThePenAndFillsInsideWithTheBrush)
{
    TBitmap bitmap = WhiteBitmap(6, 5);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clRed);
    canvas.Rectangle(1, 1, 5, 5);
    EXPECT_EQ(Picture(bitmap), (Rows{"......", ".####.", ".#rr#.", ".#rr#.", ".####."}));
}

TEST(CanvasShapes, HugeRectangleDrawsItsVisiblePartAndAWidePenGoesInside)
{
    TBitmap bitmap = WhiteBitmap(5, 4);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clRed);
    canvas.Rectangle(-100000, 1, 100000, 100000);
    EXPECT_EQ(Picture(bitmap), (Rows{".....", "#####", "rrrrr", "rrrrr"}));

    TBitmap thick = WhiteBitmap(6, 6);
    TCanvas thickCanvas(thick);
    thickCanvas.Brush().SetColor(clRed);
    thickCanvas.Pen().SetWidth(2);
    thickCanvas.Rectangle(0, 0, 6, 5);
    EXPECT_EQ(Picture(thick), (Rows{"######", "######", "##rr##", "######", "######", "......"}));
}

TEST(CanvasShapes, FillRectAndFrameRectUseTheBrushAndExcludeRightAndBottom)
{
    TBitmap bitmap = WhiteBitmap(5, 4);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(TRect(0, 0, 2, 2));
    canvas.Brush().SetColor(clRed);
    canvas.FrameRect(TRect(2, 0, 5, 4));
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.FillRect(TRect(0, 0, 5, 4));
    EXPECT_EQ(Picture(bitmap), (Rows{"bbrrr", "bbr.r", "..r.r", "..rrr"}));
}

TEST(CanvasShapes, EllipseIsSymmetricAndTouchesEveryEdgeOfItsBox)
{
    TBitmap bitmap = WhiteBitmap(7, 5);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clRed);
    canvas.Ellipse(0, 0, 7, 5);
    EXPECT_EQ(Picture(bitmap), (Rows{"..###..", ".#rrr#.", "#rrrrr#", ".#rrr#.", "..###.."}));
    // Tiny ellipses: a plus sign, and a square with its corners cut.
    TBitmap three = WhiteBitmap(3, 3), four = WhiteBitmap(4, 4);
    TCanvas(three).Ellipse(0, 0, 3, 3);
    TCanvas(four).Ellipse(0, 0, 4, 4);
    EXPECT_EQ(Picture(three), (Rows{".#.", "#.#", ".#."}));
    EXPECT_EQ(Picture(four), (Rows{".##.", "#..#", "#..#", ".##."}));
}

TEST(CanvasShapes, LargeCircleIsMirrorSymmetricBothWays)
{
    TBitmap bitmap = WhiteBitmap(31, 31);
    TCanvas canvas(bitmap);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Ellipse(0, 0, 31, 31);
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 31; ++x) {
            ASSERT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(30 - x, y)) << x << "," << y;
            ASSERT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(x, 30 - y)) << x << "," << y;
            ASSERT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(y, x)) << x << "," << y;
        }
    EXPECT_EQ(bitmap.Pixel(15, 0), clBlack);
    EXPECT_EQ(bitmap.Pixel(0, 15), clBlack);
    EXPECT_EQ(bitmap.Pixel(15, 15), clWhite);
    EXPECT_EQ(bitmap.Pixel(0, 0), clWhite);
}

TEST(CanvasShapes, ArcRunsCounterClockwiseFromTheStartRayToTheEndRay)
{
    TBitmap bitmap = WhiteBitmap(10, 10);
    TCanvas canvas(bitmap);
    // The centre is (5, 5); from the ray to the right to the ray upwards: the top-right quarter.
    canvas.Arc(0, 0, 10, 10, 10, 5, 5, -1);
    int drawn = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            if (bitmap.Pixel(x, y) == clBlack) {
                ++drawn;
                EXPECT_TRUE(x >= 5 && y <= 4) << x << "," << y;
            }
        }
    EXPECT_EQ(bitmap.Pixel(9, 4), clBlack);
    EXPECT_EQ(bitmap.Pixel(5, 0), clBlack);

    // Swapping the rays draws the other three quarters: together exactly the whole outline.
    TCanvas(bitmap).Arc(0, 0, 10, 10, 5, -1, 10, 5);
    TBitmap ellipse = WhiteBitmap(10, 10);
    TCanvas ellipseCanvas(ellipse);
    ellipseCanvas.Brush().SetStyle(TBrushStyle::bsClear);
    ellipseCanvas.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(bitmap, ellipse);
    EXPECT_GT(drawn, 4);

    // Equal rays give the whole outline.
    TBitmap whole = WhiteBitmap(10, 10);
    TCanvas(whole).Arc(0, 0, 10, 10, 10, 5, 10, 5);
    EXPECT_EQ(whole, ellipse);
}

TEST(CanvasShapes, RoundRectCutsOnlyTheCorners)
{
    TBitmap bitmap = WhiteBitmap(8, 6);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clRed);
    canvas.RoundRect(0, 0, 8, 6, 4, 4);
    EXPECT_EQ(Picture(bitmap), (Rows{".######.", "#rrrrrr#", "#rrrrrr#", "#rrrrrr#", "#rrrrrr#", ".######."}));
}

TEST(CanvasShapes, PolygonFillsPixelsWhoseCentresLieInside)
{
    TBitmap bitmap = WhiteBitmap(5, 5);
    TCanvas canvas(bitmap);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    canvas.Brush().SetColor(clRed);
    const TPoint triangle[] = {{0, 0}, {5, 0}, {0, 5}};
    canvas.Polygon(triangle);
    EXPECT_EQ(Picture(bitmap), (Rows{"rrrr.", "rrr..", "rr...", "r....", "....."}));
}

TEST(CanvasShapes, FillRegionFillsEachRectangleInTheBrush)
{
    TBitmap bitmap = WhiteBitmap(4, 3);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRegion(TRegion(TRect(0, 0, 1, 3)).Union(TRegion(TRect(2, 1, 4, 2))));
    EXPECT_EQ(Picture(bitmap), (Rows{"b...", "b.bb", "b..."}));
}

TEST(CanvasState, OriginMovesAndClipCutsEveryDrawing)
{
    TBitmap bitmap = WhiteBitmap(6, 4);
    TCanvas canvas(bitmap);
    canvas.Save();
    canvas.Translate(2, 1);
    canvas.IntersectClip(TRect(0, 0, 3, 2));
    EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 3, 2));
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(TRect(-5, -5, 50, 50));
    EXPECT_EQ(canvas.Pixel(-1, 0), clNone);
    EXPECT_EQ(canvas.Pixel(0, 0), clRed);
    canvas.Restore();
    EXPECT_EQ(canvas.Origin(), TPoint(0, 0));
    EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 6, 4));
    EXPECT_EQ(canvas.Brush().Color(), clWhite);  // the brush came back too
    canvas.SetPixel(0, 0, clBlue);
    EXPECT_EQ(Picture(bitmap), (Rows{"b.....", "..rrr.", "..rrr.", "......"}));
}

TEST(CanvasState, ClipOnlyNarrowsAndRestoreWithoutSaveDoesNothing)
{
    TBitmap bitmap = WhiteBitmap(4, 4);
    TCanvas canvas(bitmap);
    canvas.IntersectClip(TRect(0, 0, 2, 2));
    canvas.IntersectClip(TRect(1, 1, 10, 10));
    EXPECT_EQ(canvas.ClipRect(), TRect(1, 1, 2, 2));
    canvas.Restore();
    EXPECT_EQ(canvas.ClipRect(), TRect(1, 1, 2, 2));
    canvas.IntersectClip(TRect(3, 3, 4, 4));
    EXPECT_TRUE(canvas.ClipRect().IsEmpty());
    canvas.ResetClip();
    EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 4, 4));
}

TEST(CanvasState, CanvasWithoutTargetDrawsNothingButStillMeasures)
{
    TCanvas canvas;
    canvas.FillRect(TRect(0, 0, 10, 10));
    canvas.LineTo(5, 5);
    canvas.TextOut(0, 0, "abc");
    EXPECT_EQ(canvas.Pixel(0, 0), clNone);
    EXPECT_GT(canvas.TextWidth("abc"), 0);
    EXPECT_GT(canvas.TextHeight("abc"), 0);
}

TEST(CanvasBrush, PatternBrushRepeatsFromTheTargetsOwnPixels)
{
    TBitmap pattern = BitmapOf({"r.", ".b"});
    TBitmap bitmap = WhiteBitmap(5, 3);
    TCanvas canvas(bitmap);
    canvas.Brush().SetBitmap(&pattern);
    canvas.Translate(1, 0);  // the pattern does not move with the origin
    canvas.FillRect(TRect(0, 0, 4, 3));
    EXPECT_EQ(Picture(bitmap), (Rows{"..r.r", ".b.b.", "..r.r"}));
    // A later change to the source does not change the brush.
    pattern.SetPixel(0, 0, clLime);
    canvas.FillRect(TRect(-1, 0, 0, 1));
    EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
}

TEST(CanvasBrush, SettingAColourMakesAClearBrushSolid)
{
    TBrush brush;
    brush.SetStyle(TBrushStyle::bsClear);
    EXPECT_FALSE(brush.Paints());
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid);
}

TEST(CanvasFocus, FocusRectInvertsAlternatePixelsAndTwiceRestores)
{
    TBitmap bitmap = WhiteBitmap(6, 4);
    TCanvas canvas(bitmap);
    canvas.SetPixel(3, 2, clRed);
    const TBitmap before = bitmap;
    canvas.DrawFocusRect(TRect(0, 0, 6, 4));
    EXPECT_EQ(Picture(bitmap), (Rows{"#.#.#.", ".....#", "#..r..", ".#.#.#"}));
    canvas.DrawFocusRect(TRect(0, 0, 6, 4));
    EXPECT_EQ(bitmap, before);
}

TEST(CanvasFocus, FocusRectOneColumnWideTouchesEachPixelOnce)
{
    TBitmap bitmap = WhiteBitmap(1, 4);
    TCanvas canvas(bitmap);
    canvas.DrawFocusRect(TRect(0, 0, 1, 4));
    EXPECT_EQ(Picture(bitmap), (Rows{"#", ".", "#", "."}));
}

TEST(CanvasImages, DrawLeavesOutTheTransparentColour)
{
    TBitmap sprite = BitmapOf({"rg", "gb"});
    sprite.SetTransparent(true);
    sprite.SetTransparentColor(clLime);
    TBitmap bitmap = WhiteBitmap(3, 2);
    TCanvas canvas(bitmap);
    canvas.Draw(1, 0, sprite);
    EXPECT_EQ(Picture(bitmap), (Rows{".r.", "..b"}));
    sprite.SetTransparent(false);
    canvas.Draw(0, 0, sprite);
    EXPECT_EQ(Picture(bitmap), (Rows{"rg.", "gbb"}));
}

TEST(CanvasImages, StretchNearestRepeatsAndPicksCentres)
{
    const TBitmap source = BitmapOf({"rb", "g#"});
    TBitmap bitmap = WhiteBitmap(4, 2);
    TCanvas canvas(bitmap);
    canvas.StretchDraw(TRect(0, 0, 4, 2), source);
    EXPECT_EQ(Picture(bitmap), (Rows{"rrbb", "gg##"}));

    const TBitmap wide = BitmapOf({"rgb#.r"});
    TBitmap small = WhiteBitmap(3, 1);
    TCanvas(small).StretchDraw(TRect(0, 0, 3, 1), wide);
    EXPECT_EQ(Picture(small), (Rows{"g#r"}));
}

TEST(CanvasImages, ReversedRectangleMirrors)
{
    const TBitmap source = BitmapOf({"rgb"});
    TBitmap bitmap = WhiteBitmap(3, 1);
    TCanvas(bitmap).StretchDraw(TRect(3, 0, 0, 1), source);
    EXPECT_EQ(Picture(bitmap), (Rows{"bgr"}));
}

TEST(CanvasImages, HalftoneAveragesTheAreaUnderEachPixel)
{
    const TBitmap source = BitmapOf({"#.#.", "#.#."});
    TBitmap bitmap = WhiteBitmap(2, 1);
    TCanvas canvas(bitmap);
    canvas.SetStretchMode(TStretchMode::smHalftone);
    canvas.CopyRect(TRect(0, 0, 2, 1), source, TRect(0, 0, 4, 2));
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(128, 128, 128));  // (0 + 255) / 2 rounded
    EXPECT_EQ(bitmap.Pixel(1, 0), RGB(128, 128, 128));

    // Three source pixels into two: the middle one is split between both.
    const TBitmap three = BitmapOf({"#.#"});
    TBitmap two = WhiteBitmap(2, 1);
    TCanvas twoCanvas(two);
    twoCanvas.SetStretchMode(TStretchMode::smHalftone);
    twoCanvas.CopyRect(TRect(0, 0, 2, 1), three, TRect(0, 0, 3, 1));
    EXPECT_EQ(two.Pixel(0, 0), RGB(85, 85, 85));  // (2 * 0 + 1 * 255) / 3
    EXPECT_EQ(two.Pixel(1, 0), RGB(85, 85, 85));
}

TEST(CanvasImages, HalftoneAtTheSameSizeCopiesExactly)
{
    const TBitmap source = BitmapOf({"rgb", "#.m"});
    TBitmap bitmap = WhiteBitmap(3, 2);
    TCanvas canvas(bitmap);
    canvas.SetStretchMode(TStretchMode::smHalftone);
    canvas.CopyRect(TRect(0, 0, 3, 2), source, TRect(0, 0, 3, 2));
    EXPECT_EQ(bitmap, source);
}

TEST(CanvasImages, CopyRectFromItsOwnTargetReadsThePixelsAsTheyWere)
{
    TBitmap bitmap = BitmapOf({"rgb.."});
    TCanvas canvas(bitmap);
    canvas.CopyRect(TRect(1, 0, 4, 1), canvas, TRect(0, 0, 3, 1));
    EXPECT_EQ(Picture(bitmap), (Rows{"rrgb."}));
}

TEST(CanvasImages, SourceOutsideItsBitmapReadsBlack)
{
    const TBitmap source = BitmapOf({"r"});
    TBitmap bitmap = WhiteBitmap(2, 1);
    TCanvas(bitmap).CopyRect(TRect(0, 0, 2, 1), source, TRect(0, 0, 2, 1));
    EXPECT_EQ(Picture(bitmap), (Rows{"r#"}));
}

TEST(CanvasImages, CopyRectTransparentStretchesByTheNearestPixelAndKeepsKeyedPixels)
{
    const TBitmap source = BitmapOf({"rm", "mb"});
    TBitmap bitmap = BitmapOf({"####", "gggg", "####", "gggg"});
    TCanvas canvas(bitmap);
    canvas.SetStretchMode(TStretchMode::smHalftone);  // no averaging when a colour is keyed out
    canvas.CopyRectTransparent(TRect(0, 0, 4, 4), source, TRect(0, 0, 2, 2), TColor(0xFF00FF));
    EXPECT_EQ(Picture(bitmap), (Rows{"rr##", "rrgg", "##bb", "ggbb"}));
}

// A stretched strip repeats each source row over many target rows; the keyed pixels of every
// one of them must still show what was under it, which differs from row to row.
TEST(CanvasImages, RepeatedSourceRowsLeaveEachTargetRowsOwnPixelsUnderTheKey)
{
    const TBitmap strip = BitmapOf({"m", "r", "m"});
    TBitmap bitmap = BitmapOf({"###", "ggg", "###", "ggg", "###", "ggg"});
    TCanvas canvas(bitmap);
    canvas.CopyRectTransparent(TRect(0, 0, 3, 6), strip, TRect(0, 0, 1, 3), TColor(0xFF00FF));
    EXPECT_EQ(Picture(bitmap), (Rows{"###", "ggg", "rrr", "rrr", "###", "ggg"}));

    TBitmap opaque = WhiteBitmap(2, 4);
    TCanvas(opaque).CopyRect(TRect(0, 0, 2, 4), BitmapOf({"rb", "g#"}), TRect(0, 0, 2, 2));
    EXPECT_EQ(Picture(opaque), (Rows{"rb", "rb", "g#", "g#"}));
}

TEST(CanvasImages, StretchedDrawsAreCutByTheClipAndMovedByTheOrigin)
{
    const TBitmap source = BitmapOf({"rgb", "#gm"});
    TBitmap bitmap = WhiteBitmap(6, 4);
    TCanvas canvas(bitmap);
    canvas.SetOrigin(TPoint(1, 1));
    canvas.IntersectClip(TRect(1, 0, 4, 2));
    canvas.CopyRectTransparent(TRect(-1, -1, 5, 3), source, TRect(0, 0, 3, 2), TColor(0xFF00FF));
    EXPECT_EQ(Picture(bitmap), (Rows{"......", "..ggb.", "..gg..", "......"}));
}

TEST(CanvasColors, SystemColoursResolveThroughTheClassicTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clInactiveCaption), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clMenuBar), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
    EXPECT_EQ(ColorToRGB(0x515151), 0x515151);
    EXPECT_EQ(ColorToRGB(clNone), clWhite);
    EXPECT_EQ(ColorToRGB(clDefault), clBlack);

    TBitmap bitmap(1, 1);
    TCanvas(bitmap).SetPixel(0, 0, clBtnFace);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(212, 208, 200));
    EXPECT_EQ(bitmap.ScanLine(0)[0] >> 24, 0xFFu);
}
