#include "toolkit/CanvasTestSupport.h"

#include "toolkit/graphics/ImageList.h"
#include "toolkit/graphics/SystemColors.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

TEST(ImageList, AddCutsAStripIntoImagesOfTheListsWidth)
{
    TImageList list(2, 1);
    EXPECT_EQ(list.Add(BitmapOf({"rgb#."})), 0);
    EXPECT_EQ(list.Count(), 2);  // the fifth column does not make a whole image
    EXPECT_EQ(list.Add(BitmapOf({"r"})), 2);  // narrower: one image, the rest transparent
    EXPECT_EQ(list.Add(TBitmap()), -1);

    TBitmap bitmap = WhiteBitmap(6, 1);
    TCanvas canvas(bitmap);
    list.Draw(canvas, 0, 0, 1);
    list.Draw(canvas, 2, 0, 2);
    list.Draw(canvas, 4, 0, 7);  // out of range: nothing
    EXPECT_EQ(Picture(bitmap), (Rows{"b#r..."}));
}

TEST(ImageList, MaskedPixelsAreLeftOut)
{
    TImageList list(3, 2);
    list.AddMasked(BitmapOf({"mrm", "bmm"}), TColor(0xFF00FF));
    TBitmap bitmap = WhiteBitmap(3, 2);
    TCanvas canvas(bitmap);
    list.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(Picture(bitmap), (Rows{".r.", "b.."}));
}

TEST(ImageList, RowsAndColumnsBeyondTheAddedBitmapAreNotDrawn)
{
    TImageList list(3, 3);
    list.Add(BitmapOf({"rg", "b#"}));
    list.AddMasked(BitmapOf({"rm"}), TColor(0xFF00FF));
    TBitmap bitmap = WhiteBitmap(6, 3);
    TCanvas canvas(bitmap);
    list.Draw(canvas, 0, 0, 0);
    list.Draw(canvas, 3, 0, 1);
    EXPECT_EQ(Picture(bitmap), (Rows{"rg.r..", "b#....", "......"}));
}

TEST(ImageList, DisabledImageIsEtchedInHighlightAndShadow)
{
    TImageList list(3, 3);
    list.AddMasked(BitmapOf({"r.m", "#rm", "mmm"}), TColor(0xFF00FF));
    TBitmap bitmap = BitmapOf({"bbbb", "bbbb", "bbbb", "bbbb"});
    TCanvas canvas(bitmap);
    list.Draw(canvas, 0, 0, 0, false);
    // Red and black are shape; white and masked pixels are not. Highlight one pixel down and
    // right first, then shadow in place.
    const std::map<TColor, char> names = {{ColorToRGB(clBtnShadow), 's'}, {ColorToRGB(clBtnHighlight), 'h'}};
    EXPECT_EQ(Picture(bitmap, names), (Rows{"sbbb", "ssbb", "bhhb", "bbbb"}));
}
