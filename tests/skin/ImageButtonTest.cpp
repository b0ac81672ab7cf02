// The picture button the scroll bar's arrows are made of: one picture per state with PicNormal
// standing in for the missing ones, stretching, auto size and the optional focus rectangle.
#include "skin/ControlTestSupport.h"
#include "skin/controls/ImageButton.h"
#include "toolkit/graphics/SystemColors.h"

using namespace controltest;

namespace {

TPicture Solid(int width, int height, TColor color)
{
    TPicture picture;
    TBitmap& bitmap = picture.Bitmap();
    bitmap.SetSize(width, height);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(color);
    canvas.FillRect(TRect(0, 0, width, height));
    return picture;
}

class ImageButtonTest : public ControlTest {
protected:
    TsuiImageButton* MakeArrow()
    {
        auto* arrow = new TsuiImageButton(form);
        arrow->SetParent(form);
        arrow->SetBounds(10, 10, 16, 16);
        arrow->SetPicNormal(Solid(16, 16, clRed));
        return arrow;
    }
};

} // namespace

TEST_F(ImageButtonTest, EachStateShowsItsPictureOrTheNormalOne)
{
    auto* arrow = MakeArrow();
    arrow->SetTabStop(false);
    ShowForm();
    arrow->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Capture(*arrow).Pixel(8, 8), clRed);  // no PicMouseOn: PicNormal
    arrow->SetPicMouseOn(Solid(16, 16, clLime));
    arrow->SetPicMouseDown(Solid(16, 16, clBlue));
    EXPECT_EQ(Capture(*arrow).Pixel(8, 8), clLime);
    arrow->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(4, 4));
    EXPECT_EQ(Capture(*arrow).Pixel(8, 8), clBlue);
    arrow->Perform(WM_LBUTTONUP, 0, MakeLParam(4, 4));
    arrow->SetEnabled(false);
    EXPECT_EQ(Capture(*arrow).Pixel(8, 8), clRed);
    arrow->SetPicDisabled(Solid(16, 16, clYellow));
    EXPECT_EQ(Capture(*arrow).Pixel(8, 8), clYellow);
}

TEST_F(ImageButtonTest, StretchAutoSizeAndFocus)
{
    auto* arrow = MakeArrow();
    arrow->SetPicNormal(Solid(8, 8, clRed));
    arrow->SetBounds(10, 10, 20, 20);
    ShowForm();
    ASSERT_TRUE(arrow->Focused());
    const TBitmap plain = Capture(*arrow);
    EXPECT_EQ(plain.Pixel(15, 15), ColorToRGB(arrow->Color()));
    arrow->SetDrawFocused(true);
    EXPECT_FALSE(Capture(*arrow) == plain);
    arrow->SetDrawFocused(false);
    arrow->SetStretch(true);
    EXPECT_EQ(Capture(*arrow).Pixel(15, 15), clRed);

    arrow->SetAutoSize(true);
    arrow->SetPicNormal(Solid(12, 9, clRed));
    EXPECT_EQ(arrow->Width(), 12);
    EXPECT_EQ(arrow->Height(), 9);
    auto* loose = new TsuiImageButton(form);
    loose->SetAutoSize(true);
    loose->SetPicNormal(Solid(12, 9, clRed));  // no parent: keeps its size
    EXPECT_NE(loose->Width(), 12);
}
