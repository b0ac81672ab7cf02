#include "skin/FormTestSupport.h"
#include "skin/controls/TitleBarStorage.h"
#include "toolkit/graphics/BmpCodec.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/layout/ResourceLocator.h"
#include "toolkit/streams/MemoryStream.h"

using namespace formtest;

namespace {

// A picture of w x h whose pixels tell it apart from every other picture of the test.
TBitmap Marked(int w, int h, int seed)
{
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.SetPixel(x, y, TColor((seed * 40 + x * 3) & 0xFF) | TColor(((y * 5 + seed) & 0xFF) << 8));
    return bitmap;
}

std::string BmpBytes(const TBitmap& bitmap)
{
    TMemoryStream stream;
    WriteBmp(bitmap, stream, TBmpDepth::bits24);
    return std::string(stream.View());
}

// The wizard's stored skinned form: four title buttons of 22 x 22 and five 41-pixel sections.
const char* const kWizardLayout = R"(
object Host: TForm
  object suiForm: TsuiForm
    TitleBarCustom = False
    UIStyle = FromThemeFile
    UIStyleAutoUpdateSub = False
    BorderColor = clBlack
    BorderWidth = 1
    Color = 5329233
    Caption = 'Didar Ediziveda Merrowin'
    TitleBarButtons = <
      item
        ButtonType = suiControlBox
        Top = 6
        PicNormal = {b0n.bmp}
        PicMouseOn = {b0h.bmp}
        PicMouseDown = {b0d.bmp}
      end
      item
        ButtonType = suiClose
        Top = 6
        PicNormal = {b1n.bmp}
        PicMouseOn = {b1h.bmp}
        PicMouseDown = {b1d.bmp}
      end
      item
        Visible = False
        ButtonType = suiMax
        Top = 6
        PicNormal = {b2n.bmp}
        PicMouseOn = {b2h.bmp}
        PicMouseDown = {b2d.bmp}
      end
      item
        ButtonType = suiMin
        Top = 6
        PicNormal = {b3n.bmp}
        PicMouseOn = {b3h.bmp}
        PicMouseDown = {b3d.bmp}
      end>
    TitleBarSections = <
      item
        Width = 60
        AutoSize = True
        Picture = {s0.bmp}
      end
      item
        CapSec = True
        Picture = {s1.bmp}
      end
      item
        Width = 44
        AutoSize = True
        Picture = {s2.bmp}
      end
      item
        Align = suiClient
        Stretch = True
        Picture = {s3.bmp}
      end
      item
        Align = suiRight
        Width = 166
        AutoSize = True
        Picture = {s4.bmp}
      end>
    TitleBarDrawAppIcon = True
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    MenuBarColor = 5329233
    MenuBarToColor = 5329233
    MenuBarHeight = 0
    RoundCorner = 0
    RoundCornerBottom = 0
    InactiveCaptionColor = clInactiveCaption
  end
end
)";

const int kSectionWidths[5] = {60, 143, 44, 12, 166};

class FormLayoutTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        RegisterFormClasses();
        for (int b = 0; b < 4; ++b)
            for (int s = 0; s < 3; ++s) {
                buttonPictures[b][s] = Marked(22, 22, b * 3 + s);
                resources.Add("b" + std::to_string(b) + "nhd"[s] + ".bmp", BmpBytes(buttonPictures[b][s]));
            }
        for (int s = 0; s < 5; ++s) {
            sectionPictures[s] = Marked(kSectionWidths[s], 41, 20 + s);
            resources.Add("s" + std::to_string(s) + ".bmp", BmpBytes(sectionPictures[s]));
        }
    }

    TsuiForm* Read(const std::string& text)
    {
        ReadLayout(*form, text, &resources);
        return dynamic_cast<TsuiForm*>(form->FindComponent("suiForm"));
    }

    TMemoryResourceLocator resources;
    TBitmap buttonPictures[4][3];
    TBitmap sectionPictures[5];
};

TEST_F(FormLayoutTest, TheWizardsStoredFormReadsBackExactly)
{
    TsuiForm* skinned = Read(kWizardLayout);
    ASSERT_NE(skinned, nullptr);
    EXPECT_FALSE(skinned->TitleBarCustom());
    EXPECT_EQ(skinned->UIStyle(), FromThemeFile);
    EXPECT_EQ(skinned->BorderColor(), clBlack);
    EXPECT_EQ(skinned->FrameBorderWidth(), 1);
    EXPECT_EQ(skinned->Color(), TColor(0x515151));
    EXPECT_EQ(skinned->Caption(), "Didar Ediziveda Merrowin");
    EXPECT_EQ(form->Caption(), "Didar Ediziveda Merrowin");
    EXPECT_TRUE(skinned->TitleBarDrawAppIcon());
    EXPECT_EQ(skinned->MenuBarColor(), TColor(0x515151));
    EXPECT_EQ(skinned->MenuBarToColor(), TColor(0x515151));
    EXPECT_EQ(skinned->MenuBarHeight(), 0);
    EXPECT_EQ(skinned->RoundCorner(), 0);
    EXPECT_EQ(skinned->RoundCornerBottom(), 0);
    EXPECT_EQ(skinned->InactiveCaptionColor(), clInactiveCaption);

    TsuiTitleBar* bar = skinned->TitleBar();
    EXPECT_EQ(bar->Font().Name(), "Tahoma");
    EXPECT_EQ(bar->Font().Height(), -11);
    EXPECT_EQ(bar->Font().Color(), clWhite);
    EXPECT_EQ(bar->Font().Style(), TFontStyles(fsBold));

    const TsuiTitleBarBtnType types[4] = {suiControlBox, suiClose, suiMax, suiMin};
    ASSERT_EQ(bar->Buttons().Count(), 4);
    for (int b = 0; b < 4; ++b) {
        SCOPED_TRACE(b);
        const TsuiTitleBarButton& button = *bar->Buttons().Items(b);
        EXPECT_EQ(button.ButtonType(), types[b]);
        EXPECT_EQ(button.Visible(), b != 2);
        EXPECT_EQ(button.Top(), 6);
        EXPECT_TRUE(*button.PicNormal().Graphic() == buttonPictures[b][0]);
        EXPECT_TRUE(*button.PicMouseOn().Graphic() == buttonPictures[b][1]);
        EXPECT_TRUE(*button.PicMouseDown().Graphic() == buttonPictures[b][2]);
    }

    const TsuiTitleBarAlign aligns[5] = {suiLeft, suiLeft, suiLeft, suiClient, suiRight};
    const int widths[5] = {60, 10, 44, 10, 166};
    ASSERT_EQ(bar->Sections().Count(), 5);
    for (int s = 0; s < 5; ++s) {
        SCOPED_TRACE(s);
        const TsuiTitleBarSection& section = *bar->Sections().Items(s);
        EXPECT_EQ(section.Align(), aligns[s]);
        EXPECT_EQ(section.Width(), widths[s]);
        EXPECT_EQ(section.AutoSize(), s == 0 || s == 2 || s == 4);
        EXPECT_EQ(section.CapSec(), s == 1);
        EXPECT_EQ(section.Stretch(), s == 3);
        EXPECT_EQ(section.Picture().Height(), 41);
        EXPECT_TRUE(*section.Picture().Graphic() == sectionPictures[s]);
    }
    // Stored sections do not resize the bar (only writing AutoSize or a style does), so it keeps
    // the hosted DeepBlue height until the theme is ready.
    EXPECT_EQ(bar->Height(), 29);
}

TEST_F(FormLayoutTest, CollectionsSurviveAWriteAndReadThroughTheRegistry)
{
    TsuiForm* skinned = Read(kWizardLayout);
    ASSERT_NE(skinned, nullptr);
    TPropertyValue buttons = GetPropValue(*skinned, "TitleBarButtons");
    TPropertyValue sections = GetPropValue(*skinned, "TitleBarSections");

    auto* other = new TsuiForm(app_->CreateForm<TForm>());
    SetPropValue(*other, "TitleBarButtons", buttons);
    SetPropValue(*other, "TitleBarSections", sections);
    TsuiTitleBar* a = skinned->TitleBar();
    TsuiTitleBar* b = other->TitleBar();
    ASSERT_EQ(b->Buttons().Count(), 4);
    ASSERT_EQ(b->Sections().Count(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(b->Buttons().Items(i)->ButtonType(), a->Buttons().Items(i)->ButtonType());
        EXPECT_EQ(b->Buttons().Items(i)->Visible(), a->Buttons().Items(i)->Visible());
        EXPECT_EQ(b->Buttons().Items(i)->Top(), 6);
        EXPECT_TRUE(*b->Buttons().Items(i)->PicMouseOn().Graphic() == buttonPictures[i][1]);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(b->Sections().Items(i)->Width(), a->Sections().Items(i)->Width());
        EXPECT_EQ(b->Sections().Items(i)->Align(), a->Sections().Items(i)->Align());
        EXPECT_TRUE(*b->Sections().Items(i)->Picture().Graphic() == sectionPictures[i]);
    }
    // The title bar publishes the same collections under its own names.
    EXPECT_EQ(GetPropValue(*a, "Buttons").AsItems().size(), 4u);
    EXPECT_EQ(GetPropValue(*a, "Sections").AsItems().size(), 5u);
}

TEST_F(FormLayoutTest, ABadItemLeavesTheCollectionAsItWas)
{
    auto* skinned = new TsuiForm(form);
    TsuiTitleBar* bar = skinned->TitleBar();
    const int sections = bar->Sections().Count();
    ASSERT_GT(sections, 0);
    const char* bad[] = {
        "<item Align = suiLeft end item Colour = 3 end>",       // no such item property
        "<item Align = suiMiddle end>",                          // no such alignment
        "<item Width = 'wide' end>",                             // a text for a number
        "<item Width = 10 Picture = {s9.bmp} end>",              // a resource that is not there
    };
    for (const char* items : bad) {
        SCOPED_TRACE(items);
        std::string text = std::string("object Host: TForm object suiForm: TsuiForm TitleBarSections = ") + items +
                           " end end";
        TForm* host = app_->CreateForm<TForm>();
        EXPECT_ANY_THROW(ReadLayout(*host, text, &resources));
    }
    // The first item is good; the second spoils the whole collection.
    TPropertyValue::Items wrongKind(2);
    wrongKind[0].Properties.emplace_back("ButtonType", TPropertyValue::Enum("suiClose"));
    wrongKind[1].Properties.emplace_back("ButtonType", TPropertyValue::Enum("suiNothing"));
    const int buttons = bar->Buttons().Count();
    EXPECT_THROW(LoadTitleBarButtons(bar->Buttons(), wrongKind), EPropertyError);
    EXPECT_EQ(bar->Buttons().Count(), buttons);
    EXPECT_EQ(bar->Buttons().Items(0)->ButtonType(), suiControlBox);

    TPropertyValue::Items outOfRange(2);
    outOfRange[0].Properties.emplace_back("Width", TPropertyValue::Integer(5));
    outOfRange[1].Properties.emplace_back("Width", TPropertyValue::Integer(int64_t(1) << 40));
    EXPECT_THROW(LoadTitleBarSections(bar->Sections(), outOfRange), EPropertyError);
    EXPECT_EQ(bar->Sections().Count(), sections);
}

TEST_F(FormLayoutTest, ASecondStoredControlBoxOrClientSectionIsRefusedWithTheSkinError)
{
    TsuiForm* skinned = Read(R"(
object Host: TForm
  object suiForm: TsuiForm
    TitleBarButtons = <item ButtonType = suiControlBox end item ButtonType = suiControlBox end>
    TitleBarSections = <item Align = suiClient end item Align = suiClient end>
  end
end
)");
    ASSERT_NE(skinned, nullptr);
    TsuiTitleBar* bar = skinned->TitleBar();
    ASSERT_EQ(bar->Buttons().Count(), 2);
    EXPECT_EQ(bar->Buttons().Items(1)->ButtonType(), suiCustom);
    ASSERT_EQ(bar->Sections().Count(), 2);
    EXPECT_EQ(bar->Sections().Items(1)->Align(), suiLeft);
    ASSERT_EQ(host_->boxes.size(), 2u);
    EXPECT_EQ(host_->boxes[0], "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
    EXPECT_EQ(host_->boxes[1], "Sorry, only one section's Align property can be \"suiClient\"");
}

TEST_F(FormLayoutTest, RegisteringTheFormClassesAlsoRegistersTheThemes)
{
    EXPECT_NE(FindClass("TsuiForm"), nullptr);
    EXPECT_NE(FindClass("TsuiTitleBar"), nullptr);
    EXPECT_NE(FindClass("TsuiBuiltInFileTheme"), nullptr);
    EXPECT_NE(FindClass("TsuiThemeManager"), nullptr);
}

}  // namespace
