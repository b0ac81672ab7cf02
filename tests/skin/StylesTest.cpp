// The style rule, the default style of new controls, the built-in style table and the pushing of
// a style onto a form's children.
#include "skin/ThemeTestSupport.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/layout/ResourceLocator.h"
#include "toolkit/resources/Resources.h"

#include <gtest/gtest.h>

#include <memory>

using namespace themetest;

namespace {

class StyleRuleTest : public testing::Test {
protected:
    skintest::TTempFolder temp;
    TThemeServices services{temp.Path() + "/"};
    TsuiFileTheme theme{nullptr, services};
};

TEST_F(StyleRuleTest, FromThemeFileDrawsTheThemeOnlyWhileItIsReady)
{
    TsuiUIStyle effective = MacOS;
    EXPECT_FALSE(UsesFileTheme(nullptr, FromThemeFile, effective));
    EXPECT_EQ(effective, DeepBlue);

    effective = MacOS;
    EXPECT_FALSE(UsesFileTheme(&theme, FromThemeFile, effective));
    EXPECT_EQ(effective, DeepBlue);

    theme.SetThemeFile(skintest::Fixture("plain.ssk"));
    ASSERT_TRUE(theme.Ready());
    EXPECT_TRUE(UsesFileTheme(&theme, FromThemeFile, effective));
    EXPECT_EQ(effective, FromThemeFile);
}

TEST_F(StyleRuleTest, AnExplicitBuiltInStyleWinsOverAReadyTheme)
{
    theme.SetThemeFile(skintest::Fixture("plain.ssk"));
    ASSERT_TRUE(theme.Ready());
    for (TsuiUIStyle style : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        TsuiUIStyle effective = FromThemeFile;
        EXPECT_FALSE(UsesFileTheme(&theme, style, effective));
        EXPECT_EQ(effective, style);
    }
}

// --- The default style of a new control -------------------------------------------------------

TEST(DefaultStyleTest, ComesFromTheFirstSkinnedFormAmongTheFormsDirectChildren)
{
    TForm form(nullptr);
    auto* plain = new TsuiFakeControl(&form);  // a skinned control, but not a skinned form
    plain->SetParent(&form);
    plain->SetUIStyle(WinXP);
    auto* first = new TsuiFormDouble(&form);
    first->SetParent(&form);
    first->SetUIStyle(Protein);
    auto* second = new TsuiFormDouble(&form);
    second->SetParent(&form);
    second->SetUIStyle(MacOS);
    EXPECT_EQ(GetDefaultUIStyle(&form), Protein);
}

TEST(DefaultStyleTest, IsDeepBlueWithoutASkinnedFormChildOrWithoutAForm)
{
    TForm form(nullptr);
    EXPECT_EQ(GetDefaultUIStyle(&form), DeepBlue);

    // A skinned form nested deeper, or owned by the form but not its child, does not count.
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* nested = new TsuiFormDouble(&form);
    nested->SetParent(panel);
    nested->SetUIStyle(WinXP);
    auto* loose = new TsuiFormDouble(&form);
    loose->SetUIStyle(BlueGlass);
    EXPECT_EQ(GetDefaultUIStyle(&form), DeepBlue);

    TComponent notAForm(nullptr);
    auto* orphan = new TsuiFormDouble(&notAForm);
    orphan->SetUIStyle(MacOS);
    EXPECT_EQ(GetDefaultUIStyle(&notAForm), DeepBlue);
    EXPECT_EQ(GetDefaultUIStyle(nullptr), DeepBlue);
}

// --- The style table ---------------------------------------------------------------------------

TEST(StyleTableTest, EachReaderAcceptsOnlyItsOwnKind)
{
    EXPECT_EQ(GetStyleInteger(DeepBlue, STYLE_BUTTON_IMAGE), -1);
    EXPECT_EQ(GetStyleColor(WinXP, STYLE_BUTTON_TRANSPARENT), 0);
    EXPECT_FALSE(GetStyleFlag(MacOS, STYLE_FORM_COLOR));
    EXPECT_EQ(GetStyleColor(MacOS, STYLE_TITLE_LEFTBTN_XOFFSET), 0);
    EXPECT_EQ(GetStyleInteger(WinXP, STYLE_BORDER_COLOR), -1);
    EXPECT_EQ(GetStyleBitmapName(WinXP, STYLE_BORDER_WIDTH), "");

    // The same elements read by the right reader.
    EXPECT_TRUE(GetStyleFlag(BlueGlass, STYLE_BUTTON_TRANSPARENT));
    EXPECT_FALSE(GetStyleFlag(WinXP, STYLE_BUTTON_TRANSPARENT));
    EXPECT_EQ(GetStyleColor(WinXP, STYLE_BORDER_COLOR), 0xC82C00);
    EXPECT_EQ(GetStyleInteger(BlueGlass, STYLE_TITLE_RIGHTBTN_XOFFSET), -3);
    EXPECT_EQ(GetStyleBitmapName(Protein, STYLE_SCROLLBUTTON_IMAGE), "MORE_SCROLLBUTTON");
    EXPECT_EQ(GetStyleBitmapName(WinXP, STYLE_SCROLLBUTTON_IMAGE), "WINXP_SCROLLBUTTON");
}

TEST(StyleTableTest, FromThemeFileStylesPastTheTableAndUnknownElementsFindNothing)
{
    for (int style : {0, 6, 127, 128, 255}) {
        const auto s = static_cast<TsuiUIStyle>(style);
        SCOPED_TRACE(style);
        EXPECT_EQ(GetStyleInteger(s, STYLE_TITLEBUTTON_TOP), -1);
        EXPECT_EQ(GetStyleColor(s, STYLE_FORM_COLOR), 0);
        EXPECT_FALSE(GetStyleFlag(s, STYLE_BUTTON_TRANSPARENT));
        EXPECT_EQ(GetStyleBitmapName(s, STYLE_BUTTON_IMAGE), "");
    }
    for (int element : {-1, 0, kStyleElementCount + 1, 1000}) {
        EXPECT_EQ(GetStyleInteger(MacOS, element), -1) << element;
        EXPECT_EQ(GetStyleColor(MacOS, element), 0) << element;
    }
}

TEST(StyleTableTest, TheStyleIsTakenModulo128)
{
    EXPECT_EQ(GetStyleInteger(static_cast<TsuiUIStyle>(128 + MacOS), STYLE_TITLE_LEFTBTN_XOFFSET), 3);
    EXPECT_EQ(GetStyleInteger(static_cast<TsuiUIStyle>(128 + BlueGlass), STYLE_FORM_MIN_WIDTH), 270);
}

TEST(StyleTableTest, ABitmapElementOfTheWrongKindLeavesTheBitmapOrEmptiesAFrame)
{
    TBitmap dest(5, 4);
    GetStyleBitmap(WinXP, STYLE_BUTTON_TRANSPARENT, &dest, 0, 0);
    EXPECT_EQ(dest.Width(), 5);
    EXPECT_EQ(dest.Height(), 4);
    GetStyleBitmap(FromThemeFile, STYLE_BUTTON_IMAGE, &dest, 0, 0);
    EXPECT_EQ(dest.Width(), 5);

    GetStyleBitmap(WinXP, STYLE_BUTTON_TRANSPARENT, &dest, 3, 1);
    EXPECT_TRUE(dest.Empty());

    // The elements without names behave the same; they do not ask for a resource named "".
    TBitmap other(2, 2);
    EXPECT_NO_THROW(GetStyleBitmap(DeepBlue, STYLE_ENTRY_43, &other, 0, 0));
    EXPECT_EQ(other.Width(), 2);
    EXPECT_NO_THROW(GetStyleBitmap(DeepBlue, STYLE_ENTRY_45, &other, 4, 2));
    EXPECT_TRUE(other.Empty());

    EXPECT_NO_THROW(GetStyleBitmap(MacOS, STYLE_BUTTON_IMAGE, nullptr, 3, 1));
}

TEST(StyleTableTest, AFrameIsCutFromTheWholeResource)
{
    TBitmap whole;
    LoadBitmapResource("MACOS_SCROLLBAR_BUTTON", whole);
    ASSERT_EQ(whole.Width(), 96);
    ASSERT_EQ(whole.Height(), 22);

    TBitmap last;
    GetStyleBitmap(MacOS, STYLE_SCROLLBAR_BUTTON_IMAGE, &last, 6, 6);
    ASSERT_EQ(last.Width(), 16);
    ASSERT_EQ(last.Height(), 22);
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(last.Pixel(x, y), whole.Pixel(80 + x, y)) << x << "," << y;

    // An up arrow is not a down arrow: frames 1 and 4 differ.
    TBitmap up, down;
    GetStyleBitmap(MacOS, STYLE_SCROLLBAR_BUTTON_IMAGE, &up, 6, 1);
    GetStyleBitmap(MacOS, STYLE_SCROLLBAR_BUTTON_IMAGE, &down, 6, 4);
    EXPECT_FALSE(up == down);

    TBitmap all;
    GetStyleBitmap(MacOS, STYLE_SCROLLBAR_BUTTON_IMAGE, &all, 0, 0);
    EXPECT_TRUE(all == whole);
}

TEST(StyleTableTest, AFrameOutsideTheStripIsEmpty)
{
    TBitmap dest(3, 3);
    GetStyleBitmap(DeepBlue, STYLE_BUTTON_IMAGE, &dest, 3, 4);
    EXPECT_TRUE(dest.Empty());
    TBitmap negative(3, 3);
    GetStyleBitmap(DeepBlue, STYLE_BUTTON_IMAGE, &negative, -3, 1);
    EXPECT_TRUE(negative.Empty());
}

// --- Built-in resources ------------------------------------------------------------------------

TEST(ResourceTest, NamesMatchInAnyCaseAndOnlyWhole)
{
    TBitmap upper, lower;
    LoadBitmapResource("DEEPBLUE_BUTTON", upper);
    LoadBitmapResource("deepblue_Button", lower);
    EXPECT_EQ(upper.Width(), 222);
    EXPECT_TRUE(upper == lower);
    for (const char* near : {"DEEPBLUE_BUTTO", "DEEPBLUE_BUTTONS", "", "DEEPBLUE_BUTTON ", "_"})
        EXPECT_FALSE(FindResourceBytes(near).has_value()) << "'" << near << "'";
}

TEST(ResourceTest, EachLoadIsAPictureOfItsOwnKeepingTheCallersTransparency)
{
    // Resources are decoded once for the whole program: no load may share or change that copy.
    TBitmap first;
    first.SetTransparent(true);
    first.SetTransparentColor(clLime);
    LoadBitmapResource("DEEPBLUE_BUTTON", first);
    EXPECT_TRUE(first.Transparent());
    EXPECT_EQ(first.TransparentColor(), clLime);
    const TBitmap pristine = first;
    first.SetPixel(0, 0, clFuchsia);

    TBitmap second;
    LoadBitmapResource("DEEPBLUE_BUTTON", second);
    EXPECT_FALSE(second.Transparent());
    EXPECT_TRUE(second == pristine);
    EXPECT_TRUE(DecodedBitmapResource("deepblue_button") == pristine);
    EXPECT_THROW(DecodedBitmapResource("NO_SUCH_BITMAP"), EResNotFound);
}

TEST(ResourceTest, EveryNameIsFoundByTheSearch)
{
    const std::vector<std::string> names = ResourceNames();
    ASSERT_EQ(names.size(), 99u);
    for (const std::string& name : names)
        EXPECT_TRUE(FindResourceBytes(name).has_value()) << name;
    // Names that sort next to each other: a name and the same name continued.
    EXPECT_TRUE(FindResourceBytes("WINXP_TRACKBAR_SLIDER").has_value());
    EXPECT_TRUE(FindResourceBytes("WINXP_TRACKBAR_SLIDER_V").has_value());
}

TEST(ResourceTest, AMissingNameRaisesTheResourceErrorAndLeavesTheBitmap)
{
    TBitmap dest(7, 3);
    try {
        LoadBitmapResource("NO_SUCH_BITMAP", dest);
        FAIL() << "no error";
    } catch (const EResNotFound& error) {
        EXPECT_STREQ(error.what(), "资源 NO_SUCH_BITMAP 未找到");
    }
    EXPECT_EQ(dest.Width(), 7);
    EXPECT_EQ(dest.Height(), 3);
}

// --- Pushing a style onto a form's children --------------------------------------------------

TEST(ApplyStyleToChildrenTest, SetsThemeThenStyleOnDirectChildrenWithBothProperties)
{
    skintest::TTempFolder temp;
    TThemeServices services{temp.Path() + "/"};
    TForm form(nullptr);
    auto* theme = new TsuiFileTheme(&form, services);
    theme->SetName("Theme");
    auto* first = new TsuiFakeControl(&form);
    first->SetName("First");
    first->SetParent(&form);
    auto* themeOnly = new TsuiThemeOnly(&form);
    themeOnly->SetName("ThemeOnly");
    themeOnly->SetParent(&form);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* nested = new TsuiFakeControl(&form);
    nested->SetName("Nested");
    nested->SetParent(panel);
    auto* second = new TsuiFakeControl(&form);
    second->SetName("Second");
    second->SetParent(&form);

    EventLog().clear();
    ApplyStyleToChildren(&form, WinXP, theme);
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"First.FileTheme=Theme", "First.UIStyle=WinXP",
                                                    "Second.FileTheme=Theme", "Second.UIStyle=WinXP"}));
    EXPECT_EQ(nested->FileTheme(), nullptr);
    EXPECT_EQ(themeOnly->FileTheme(), nullptr);

    EventLog().clear();
    ApplyStyleToChildren(nullptr, WinXP, theme);
    EXPECT_TRUE(EventLog().empty());
}

} // namespace
