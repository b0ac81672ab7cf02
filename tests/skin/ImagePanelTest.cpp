// The picture panel: auto size by alignment, the three drawing styles, transparency through the
// parent and the picture's own transparent colour, the caption, and a golden sheet.
#include "skin/ControlTestSupport.h"
#include "skin/controls/ImagePanel.h"
#include "toolkit/graphics/SystemColors.h"

using namespace controltest;

namespace {

// A picture whose every pixel tells where it came from: red = x * 7, green = y * 7, blue 0x50,
// except the bottom-left pixel, which is fuchsia (the automatic transparent colour).
TBitmap Marked(int width, int height)
{
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, RGB(uint8_t(x * 7), uint8_t(y * 7), 0x50));
    picture.SetPixel(0, height - 1, clFuchsia);
    return picture;
}

TPicture PictureOf(const TBitmap& bitmap)
{
    TPicture picture;
    picture.Assign(bitmap);
    return picture;
}

class ImagePanelTest : public ControlTest {
protected:
    TsuiImagePanel* MakePanel(TWinControl* parent, int width, int height)
    {
        auto* panel = new TsuiImagePanel(form);
        panel->SetParent(parent);
        panel->SetBounds(10, 10, width, height);
        return panel;
    }
};

} // namespace

TEST_F(ImagePanelTest, AutoSizeTakesThePictureSizeWhereTheAlignmentAllows)
{
    struct Case {
        TAlign align;
        bool keepsWidth, keepsHeight;
    };
    for (const Case& c : {Case{alNone, false, false}, Case{alTop, true, false}, Case{alBottom, true, false},
                          Case{alLeft, false, true}, Case{alRight, false, true}, Case{alClient, true, true}}) {
        // Without a parent nothing re-aligns it, so only the panel's own sizing shows.
        auto* panel = new TsuiImagePanel(form);
        panel->SetBounds(0, 0, 60, 40);
        panel->SetAlign(c.align);
        panel->SetAutoSize(true);
        EXPECT_EQ(panel->Width(), 60) << int(c.align);  // nothing to size by yet
        panel->SetPicture(PictureOf(Marked(32, 24)));
        EXPECT_EQ(panel->Width(), c.keepsWidth ? 60 : 32) << int(c.align);
        EXPECT_EQ(panel->Height(), c.keepsHeight ? 40 : 24) << int(c.align);
        delete panel;
    }
}

TEST_F(ImagePanelTest, PictureChangesResizeOnlyWhileAutoSizeIsOn)
{
    auto* panel = MakePanel(form, 60, 40);
    panel->SetPicture(PictureOf(Marked(32, 24)));
    EXPECT_EQ(panel->Width(), 60);
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->Width(), 32);
    panel->Picture().Bitmap().SetSize(50, 10);
    panel->Picture().Changed();
    EXPECT_EQ(panel->Width(), 50);
    EXPECT_EQ(panel->Height(), 10);
    panel->SetAutoSize(false);
    panel->SetPicture(PictureOf(Marked(8, 8)));
    EXPECT_EQ(panel->Width(), 50);
}

TEST_F(ImagePanelTest, NormalStretchAndTile)
{
    auto* panel = MakePanel(form, 100, 50);
    const TBitmap picture = Marked(32, 32);
    panel->SetPicture(PictureOf(picture));
    ShowForm();

    const TBitmap normal = Capture(*panel);
    EXPECT_EQ(normal.Pixel(31, 30), picture.Pixel(31, 30));
    EXPECT_EQ(normal.Pixel(0, 31), clFuchsia);  // not transparent: the key colour is drawn
    EXPECT_EQ(normal.Pixel(40, 40), ColorToRGB(panel->Color()));  // beyond the picture

    panel->SetDrawStyle(suiTile);
    const TBitmap tiled = Capture(*panel);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(tiled.Pixel(x, y), picture.Pixel(x % 32, y % 32)) << x << "," << y;

    panel->SetDrawStyle(suiStretch);
    const TBitmap stretched = Capture(*panel);
    EXPECT_EQ(stretched.Pixel(99, 49), picture.Pixel(31, 31));
    EXPECT_EQ(stretched.Pixel(3, 1), picture.Pixel(1, 0));
}

TEST_F(ImagePanelTest, TransparencyShowsTheParentBehindAndThroughThePicture)
{
    auto* panel = MakePanel(form, 100, 50);
    ShowForm();
    panel->SetColor(clLime);
    EXPECT_EQ(Capture(*panel).Pixel(50, 25), clLime);
    panel->SetTransparent(true);
    EXPECT_EQ(Capture(*panel).Pixel(50, 25), kFormColor);

    panel->SetPicture(PictureOf(Marked(32, 32)));
    EXPECT_TRUE(panel->Picture().Graphic()->Transparent());
    const TBitmap through = Capture(*panel);
    EXPECT_EQ(through.Pixel(0, 31), kFormColor);  // the bottom-left colour is left out
    EXPECT_EQ(through.Pixel(40, 40), kFormColor);
    EXPECT_EQ(through.Pixel(5, 5), RGB(35, 35, 0x50));
    panel->SetTransparent(false);
    EXPECT_FALSE(panel->Picture().Graphic()->Transparent());
    EXPECT_EQ(Capture(*panel).Pixel(0, 31), clFuchsia);
}

TEST_F(ImagePanelTest, CaptionIsOneCentredLineAlignedByAlignment)
{
    auto* panel = MakePanel(form, 100, 50);
    panel->SetColor(clWhite);
    panel->Font().SetColor(clRed);
    panel->SetCaption("ab");
    ShowForm();
    // Box font: "ab" is 10 wide, 11 high; its boxes fill rows 1 .. 8 of the line.
    auto extent = [&] {
        const TBitmap shot = Capture(*panel);
        int left = 100, right = -1, top = 50;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                if (shot.Pixel(x, y) == clRed) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                }
        return TRect(left, top, right, 0);
    };
    EXPECT_EQ(extent(), TRect(45, 19 + 1, 45 + 8, 0));
    panel->SetAlignment(taLeftJustify);
    EXPECT_EQ(extent().Left, 0);
    panel->SetAlignment(taRightJustify);
    EXPECT_EQ(extent().Right, 98);
    panel->SetCaption("  ");
    EXPECT_EQ(extent().Right, -1);
}

TEST_F(ImagePanelTest, GoldenPanels)
{
    UsePinnedFonts();
    ShowForm();
    TBitmap picture(24, 16);
    TCanvas canvas(picture);
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect(0, 0, 24, 16));
    canvas.Brush().SetColor(RGB(30, 90, 200));
    canvas.Ellipse(TRect(1, 1, 23, 15));
    canvas.Brush().SetColor(RGB(250, 220, 60));
    canvas.Rectangle(TRect(8, 4, 16, 12));
    TSheet sheet;
    auto shoot = [&](TsuiDrawStyle style, bool transparent, const std::string& caption, TAlignment alignment) {
        auto* panel = MakePanel(form, 90, 60);
        panel->SetColor(RGB(236, 233, 216));
        panel->SetPicture(PictureOf(picture));
        panel->SetDrawStyle(style);
        panel->SetTransparent(transparent);
        panel->SetCaption(caption);
        panel->SetAlignment(alignment);
        sheet.Add(0, Capture(*panel));
        delete panel;
    };
    shoot(suiNormal, false, "", taCenter);
    shoot(suiStretch, false, "", taCenter);
    shoot(suiTile, false, "", taCenter);
    shoot(suiTile, true, "", taCenter);
    shoot(suiStretch, true, "墙纸", taCenter);
    shoot(suiNormal, true, "Left", taLeftJustify);
    ExpectGolden(sheet.Render(), "controls-imagepanel.png");
}
