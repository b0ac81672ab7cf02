#include "skin/FormTestSupport.h"
#include "skin/controls/ImagePanel.h"
#include "skin/controls/ProgressBar.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/graphics/Region.h"

using namespace formtest;

namespace {

class SkinnedFormTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        skinned = new TsuiForm(form);
    }

    void UseBuiltInSkin()
    {
        skinned->SetFileTheme(BuiltInSkin());
        skinned->SetUIStyle(FromThemeFile);
    }

    TRect Client() const { return form->ClientRect().Offset(form->ClientOffset()); }

    TsuiForm* skinned = nullptr;
};

TEST_F(SkinnedFormTest, AttachesToTheHostAndFillsItsClientArea)
{
    EXPECT_FALSE(skinned->Inert());
    EXPECT_EQ(skinned->MeasuredLeftFrame(), 3);
    EXPECT_EQ(skinned->MeasuredBottomFrame(), 3);
    EXPECT_EQ(form->WindowLong(GWL_STYLE) & WS_CAPTION, 0u);
    EXPECT_EQ(skinned->Parent(), form);
    EXPECT_EQ(skinned->Align(), alClient);
    EXPECT_EQ(skinned->Caption(), "Skinned");
    EXPECT_EQ(skinned->Version(), "6.21");
    EXPECT_EQ(skinned->TitleBar()->Top(), 0);
    EXPECT_EQ(skinned->Width(), form->ClientWidth());
    EXPECT_EQ(form->Perform(MSG_BORDER_QUERY), 2);
}

TEST_F(SkinnedFormTest, ASecondSkinnedFormOnTheSameHostStaysInert)
{
    auto* second = new TsuiForm(form);
    EXPECT_TRUE(second->Inert());
    EXPECT_EQ(second->TitleBar(), nullptr);
    EXPECT_EQ(form->Perform(MSG_BORDER_QUERY), 2);
    EXPECT_EQ(second->Caption(), "");
}

TEST_F(SkinnedFormTest, AFiveSectionSkinFitsTheCaptionSectionToTheCaption)
{
    UseBuiltInSkin();
    TsuiTitleBar* bar = skinned->TitleBar();
    ASSERT_EQ(bar->Sections().Count(), 5);
    ASSERT_TRUE(bar->Sections().Items(1)->CapSec());
    skinned->SetCaption("Short");
    bar->PaintNow();
    EXPECT_EQ(bar->SectionCaption(), "Short");
    // Hosted: the title image spans the whole window width.
    EXPECT_EQ(bar->TitleImage().Width(), 467);
    EXPECT_EQ(bar->TitleImage().Height(), bar->Height() + 3);

    const std::string longCaption(200, 'W');
    skinned->SetCaption(longCaption);
    bar->PaintNow();
    const std::string fitted = bar->SectionCaption();
    ASSERT_GE(fitted.size(), 4u);
    EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");
    EXPECT_LT(fitted.size(), longCaption.size());
}

TEST_F(SkinnedFormTest, BuiltInStylesLeaveAThinFrame)
{
    // DeepBlue, border width 1: 3 pixels left, top and right, 2 at the bottom.
    EXPECT_EQ(Client(), TRect(3, 3, 464, 395));
    skinned->SetUIStyle(WinXP);
    EXPECT_EQ(skinned->FrameBorderWidth(), 3);
    EXPECT_EQ(Client(), TRect(3, 3, 464, 394));
    skinned->SetFrameBorderWidth(2);
    form->SetWindowPos(0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    EXPECT_EQ(Client(), TRect(3, 3, 464, 394));  // bottom frame BW + 1
}

TEST_F(SkinnedFormTest, AFileThemeFrameFollowsTheBorderBitmaps)
{
    UseBuiltInSkin();
    TsuiFileTheme* theme = BuiltInSkin();
    ASSERT_TRUE(theme->Ready());
    const int lw = theme->GetBitmap(SKIN2_FORMLEFTBORDER)->Width();
    const int rw = theme->GetBitmap(SKIN2_FORMRIGHTBORDER)->Width();
    const int bh = theme->GetBitmap(SKIN2_FORMBOTTOMBORDER1)->Height();
    EXPECT_EQ(Client(), TRect(std::max(lw, 4), 3, 467 - std::max(rw, 4), 397 - std::max(bh, 4)));
    EXPECT_EQ(form->Perform(MSG_BORDER_QUERY), std::max(lw, 4));
    EXPECT_EQ(skinned->Color(), theme->GetColor(SKIN2_FORMCOLOR));
    // The stored border settings stay: file themes do not set them.
    EXPECT_EQ(skinned->FrameBorderWidth(), 1);
}

TEST_F(SkinnedFormTest, TheDeepBlueFrameIsPaintedAroundTheClient)
{
    ShowForm();
    TBitmap shot = Shot();
    const int w = 467, h = 397, below = skinned->TitleBar()->Height() + 3;
    for (int y : {below + 1, 200, h - 3}) {
        EXPECT_EQ(shot.Pixel(0, y), clBlack) << y;
        EXPECT_EQ(shot.Pixel(1, y), TColor(0xE8E8E8)) << y;
        EXPECT_EQ(shot.Pixel(2, y), TColor(0xE8E8E8)) << y;
        EXPECT_EQ(shot.Pixel(w - 1, y), clBlack) << y;
        EXPECT_EQ(shot.Pixel(w - 2, y), TColor(0xE8E8E8)) << y;
    }
    EXPECT_EQ(shot.Pixel(200, h - 1), clBlack);
    EXPECT_EQ(shot.Pixel(200, h - 2), TColor(0xE8E8E8));
}

TEST_F(SkinnedFormTest, BuiltInRegionsRoundOnlyTheCornersAskedFor)
{
    ShowForm();
    ASSERT_TRUE(form->WindowRgn().has_value());
    EXPECT_EQ(*form->WindowRgn(), TRegion(TRect(0, 0, 467, 397)));

    skinned->SetUIStyle(BlueGlass);
    EXPECT_EQ(skinned->RoundCorner(), 11);
    const TRegion& region = *form->WindowRgn();
    EXPECT_FALSE(region.Contains(0, 0));
    EXPECT_FALSE(region.Contains(466, 0));
    EXPECT_TRUE(region.Contains(233, 0));
    EXPECT_TRUE(region.Contains(0, 396));
    EXPECT_TRUE(region.Contains(466, 396));
    EXPECT_TRUE(region.Contains(0, 198));

    skinned->SetRoundCornerBottom(-1);
    EXPECT_TRUE(form->WindowRgn()->Contains(0, 396));
    skinned->SetRoundCornerBottom(8);
    EXPECT_FALSE(form->WindowRgn()->Contains(0, 396));
    skinned->SetRoundCornerBottom(-8);
    EXPECT_EQ(skinned->RoundCornerBottom(), -8);
    EXPECT_FALSE(form->WindowRgn()->Contains(0, 396)) << "only -1 is taken as no rounding";
    EXPECT_TRUE(form->WindowRgn()->Contains(233, 396));

    // Hiding the title bar reads both radii as 0.
    skinned->SetTitleBarVisible(false);
    EXPECT_EQ(skinned->RoundCorner(), 0);
    EXPECT_EQ(skinned->RoundCornerBottom(), 0);
    EXPECT_EQ(*form->WindowRgn(), TRegion(TRect(0, 0, 467, 397)));
}

TEST_F(SkinnedFormTest, AFileThemedWindowIsShapedByItsSkinPixels)
{
    UseBuiltInSkin();
    ShowForm();
    TsuiFileTheme* theme = BuiltInSkin();
    ASSERT_TRUE(form->WindowRgn().has_value());
    const TRegion& region = *form->WindowRgn();
    const TBitmap& title = skinned->TitleBar()->TitleImage();
    const TBitmap& bottom = skinned->BottomBuffer();
    const TColor trans = theme->GetColor(SKIN2_TRANSCOLOR);
    const int tMin = theme->GetInteger(SKIN2_TITLEBARREGIONMINY), tMax = theme->GetInteger(SKIN2_TITLEBARREGIONMAXY);
    const int bMin = theme->GetInteger(SKIN2_BOTTOMREGIONMINY), bMax = theme->GetInteger(SKIN2_BOTTOMREGIONMAXY);
    ASSERT_EQ(title.Width(), 467);
    ASSERT_GT(bottom.Height(), 0);
    const int w = 467, h = 397, yb = h - bottom.Height();
    int cut = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool inside = true;
            if (y < title.Height()) {
                if (y >= std::max(tMin, 0) && y <= tMax)
                    inside = title.Pixel(x, y) != trans;
            } else if (y >= yb) {
                if (y - yb >= std::max(bMin, 0) && y - yb <= bMax)
                    inside = bottom.Pixel(x, y - yb) != trans;
            }
            cut += inside ? 0 : 1;
            ASSERT_EQ(region.Contains(x, y), inside) << x << ", " << y;
        }
    EXPECT_GT(cut, 0) << "the skin's corners are cut away";
}

TEST_F(SkinnedFormTest, SkinRegionRowsFollowTheRegionLimits)
{
    UseBuiltInSkin();
    skinned->TitleBar()->PaintNow();
    TBitmap& title = skinned->TitleBar()->TitleImage();
    // A row that starts transparent and ends with one opaque pixel keeps that pixel alone.
    for (int x = 0; x < title.Width(); ++x)
        title.SetPixel(x, 2, clFuchsia);
    title.SetPixel(title.Width() - 1, 2, clBlack);
    TRegion region = skinned->SkinRegion(467, 397);
    EXPECT_TRUE(region.Contains(466, 2));
    EXPECT_FALSE(region.Contains(465, 2));
    EXPECT_FALSE(region.Contains(0, 2));
}

TEST_F(SkinnedFormTest, MaximisingFillsTheWorkAreaGrownByTheFrame)
{
    ShowForm();
    form->SetWindowState(wsMaximized);
    EXPECT_EQ(form->BoundsRect(), TRect(-2, -2, 1026, 737));
    TBitmap restore;
    GetStyleBitmap(DeepBlue, STYLE_TITLEBUTTON_IMAGE, &restore, 18, 10);
    EXPECT_TRUE(*skinned->TitleBar()->Buttons().Items(2)->PicNormal().Graphic() == restore);
}

TEST_F(SkinnedFormTest, ActivationSwitchesTheCaptionColour)
{
    ShowForm();
    EXPECT_TRUE(skinned->TitleBar()->FormActive());
    form->SetActive(false);
    EXPECT_FALSE(skinned->TitleBar()->FormActive());
    form->SetActive(true);
    EXPECT_TRUE(skinned->TitleBar()->FormActive());
}

TEST_F(SkinnedFormTest, AltSpaceOpensTheSystemMenuBelowTheTitle)
{
    ShowForm();
    Run("key alt+Space");
    TsuiTitleBar* bar = skinned->TitleBar();
    EXPECT_EQ(bar->SystemMenu().PopupCount(), 1);
    EXPECT_EQ(bar->SystemMenu().PopupX(), form->Left());
    EXPECT_EQ(bar->SystemMenu().PopupY(), form->Top() + bar->Height());
}

TEST_F(SkinnedFormTest, TheFormCannotBeItsOwnFormPanel)
{
    skinned->SetFormPanel(skinned);
    EXPECT_EQ(skinned->FormPanel(), nullptr);
    ASSERT_EQ(host_->boxes.size(), 1u);
    EXPECT_EQ(host_->boxes[0], "Sorry, you can't select the Form assign to FormPanel property");

    auto* panel = new TPanel(form);
    panel->SetParent(skinned);
    panel->SetCaption("x");
    skinned->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    EXPECT_EQ(panel->Caption(), "");
    delete panel;
    EXPECT_EQ(skinned->FormPanel(), nullptr);
}

TEST_F(SkinnedFormTest, OnlyAPlainPanelLosesItsLooksAsFormPanelAndAnImagePanelOnlyItsCaption)
{
    auto dressed = [&](TCustomPanel* panel) {
        panel->SetParent(skinned);
        panel->SetCaption("x");
        panel->SetBevelOuter(bvRaised);
        panel->SetBevelInner(bvLowered);
        panel->SetBorderWidth(2);
        skinned->SetFormPanel(panel);
        EXPECT_EQ(skinned->FormPanel(), panel);
        EXPECT_EQ(panel->Align(), alClient);
        return panel;
    };
    TCustomPanel* image = dressed(new TsuiImagePanel(form));
    EXPECT_EQ(image->Caption(), "");
    EXPECT_EQ(image->BevelOuter(), bvRaised);
    EXPECT_EQ(image->BevelInner(), bvLowered);
    EXPECT_EQ(image->BorderWidth(), 2);

    TCustomPanel* other = dressed(new TsuiProgressBar(form));
    EXPECT_EQ(other->Caption(), "x");
    EXPECT_EQ(other->BevelOuter(), bvRaised);
    EXPECT_EQ(other->BorderWidth(), 2);

    TCustomPanel* plain = dressed(new TPanel(form));
    EXPECT_EQ(plain->Caption(), "");
    EXPECT_EQ(plain->BevelOuter(), bvNone);
    EXPECT_EQ(plain->BevelInner(), bvNone);
    EXPECT_EQ(plain->BorderWidth(), 0);
}

TEST_F(SkinnedFormTest, TheFormsFontIsTheTitleBarsOwn)
{
    TsuiTitleBar* bar = skinned->TitleBar();
    bar->Font().SetName("Verdana");
    EXPECT_EQ(GetPropValue(*skinned, "Font.Name").AsString(), "Verdana");
    SetPropValue(*skinned, "Font.Height", TPropertyValue::Integer(-13));
    SetPropValue(*skinned, "Font.Style", TPropertyValue::Set({}));
    EXPECT_EQ(bar->Font().Height(), -13);
    EXPECT_EQ(bar->Font().Style(), TFontStyles(0));
    // The panel keeps the host's font for the controls inside it.
    EXPECT_TRUE(skinned->ParentFont());
    EXPECT_TRUE(skinned->Font() == form->Font());
    EXPECT_FALSE(skinned->Font().HasStyle(fsBold));

    auto* inert = new TsuiForm(form);
    SetPropValue(*inert, "Font.Name", TPropertyValue::String("Verdana"));
    EXPECT_EQ(GetPropValue(*inert, "Font.Name").AsString(), TFont().Name());
}

TEST_F(SkinnedFormTest, RemovingTheFileThemeFallsBackToDeepBlue)
{
    UseBuiltInSkin();
    delete BuiltInSkin();
    EXPECT_EQ(skinned->FileTheme(), nullptr);
    EXPECT_EQ(skinned->UIStyle(), DeepBlue);
    EXPECT_EQ(Client(), TRect(3, 3, 464, 395));
}

TEST_F(SkinnedFormTest, ARecreatedWindowLosesItsCaptionAgain)
{
    form->SetBorderStyle(bsSizeable);
    EXPECT_EQ(form->WindowLong(GWL_STYLE) & WS_CAPTION, 0u);
}

TEST_F(SkinnedFormTest, DetachingGivesTheHostItsFrameBack)
{
    ShowForm();
    skinned->Detach();
    EXPECT_EQ(form->WindowLong(GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(form->Perform(MSG_BORDER_QUERY), 0);
    EXPECT_EQ(Client().Top, 3 + form->CaptionHeight());
    delete skinned;
    form->Repaint();
}

// --- Golden pictures ---------------------------------------------------------------------------

class SkinnedFormGolden : public SkinnedFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(SkinnedFormGolden, ActiveHotInactiveAndPressed)
{
    UsePinnedFonts();
    TBitmap icon(16, 16);
    TCanvas paint(icon);
    paint.Brush().SetColor(TColor(0x3080F0));
    paint.FillRect(TRect(0, 0, 16, 16));
    paint.Brush().SetColor(clWhite);
    paint.FillRect(TRect(4, 4, 12, 12));
    app_->Icon().Assign(icon);
    const int style = GetParam();
    if (style == FromThemeFile)
        UseBuiltInSkin();
    else
        skinned->SetUIStyle(TsuiUIStyle(style));
    skinned->SetCaption("Didar Ediziveda Merrowin");
    ShowForm();
    TsuiTitleBar* bar = skinned->TitleBar();
    const TRect close = bar->ButtonBounds(1);
    const TRect minimise = bar->ButtonBounds(3);
    const TPoint at = bar->ClientToWindow(TPoint(0, 0));
    auto point = [&](const TRect& r) {
        return std::to_string(at.X + r.Left + r.Width() / 2) + " " + std::to_string(at.Y + r.Top + r.Height() / 2);
    };
    Run("move " + point(close));
    TBitmap hot = Shot();
    form->SetActive(false);
    TBitmap inactive = Shot();
    form->SetActive(true);
    Run("move " + point(minimise));
    Run("down " + point(minimise));
    TBitmap pressed = Shot();
    const char* names[] = {"builtin", "macos", "winxp", "deepblue", "protein", "blueglass"};
    ExpectGolden(Sheet({hot, inactive, pressed}), std::string("form-") + names[style] + ".png");
}

INSTANTIATE_TEST_SUITE_P(Styles, SkinnedFormGolden, ::testing::Range(0, 6));

}  // namespace
