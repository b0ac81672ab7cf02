// The built-in styles' bitmaps as the program carries them: every name the style table and the
// controls ask for at the size the controls cut, transparent colour where the controls key it
// out, and all of them against a reviewed contact sheet (regenerate with
// MERROWIN_UPDATE_GOLDEN=1 and look at it).
#include "skin/SkinTestSupport.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kPrefixes[] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};
const TsuiUIStyle kStyles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
constexpr TColor kMagenta = 0xFF00FF;

struct TSize2 {
    int width, height;
};

// Width x height per style; 0 x 0 where a style has no such bitmap.
const std::map<std::string, std::vector<TSize2>>& Sizes()
{
    static const std::map<std::string, std::vector<TSize2>> sizes = {
        {"BUTTON", {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
        {"CHECKBOX", {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
        {"CHECKLIST", {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}},
        {"COMBOBOX_BUTTON", {{16, 17}, {16, 18}, {0, 0}, {0, 0}, {0, 0}}},
        {"FORM_BACKGROUND", {{8, 8}, {0, 0}, {0, 0}, {8, 8}, {0, 0}}},
        {"MENU_BAR", {{1, 22}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {"MENU_SELECT", {{1, 21}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {"PROGRESSBAR", {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}},
        {"RADIOBUTTON", {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
        {"SCROLLBAR_BUTTON", {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}},
        {"SCROLLBAR_TRACK", {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}},
        {"SCROLLBUTTON", {{72, 18}, {72, 18}, {0, 0}, {0, 0}, {0, 0}}},
        {"SIDECHENNEL_BAR", {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
        {"SIDECHENNEL_HANDLE", {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
        {"TAB", {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}},
        {"TAB_LINE", {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}},
        {"TITLEBTN", {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
        {"TITLE_CLIENT", {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
        {"TITLE_LEFT", {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
        {"TITLE_RIGHT", {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
        {"TRACKBAR_BAR", {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}},
        {"TRACKBAR_SLIDER", {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}},
        {"TRACKBAR_SLIDER_V", {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}},
    };
    return sizes;
}

TBitmap Load(const std::string& name)
{
    TBitmap bitmap;
    LoadBitmapResource(name, bitmap);
    return bitmap;
}

TBitmap Frame(const std::string& name, int count, int index)
{
    const TBitmap whole = Load(name);
    const int width = whole.Width() / count;
    const int left = index == count ? whole.Width() - width : (index - 1) * width;
    TBitmap frame(width, whole.Height());
    for (int y = 0; y < whole.Height(); ++y)
        for (int x = 0; x < width; ++x)
            frame.SetPixel(x, y, whole.Pixel(left + x, y));
    return frame;
}

TEST(StyleBitmapsTest, EveryResourceHasTheSizeTheControlsCut)
{
    std::vector<std::string> expected = {"MORE_SCROLLBUTTON"};
    for (const auto& [element, sizes] : Sizes())
        for (int s = 0; s < 5; ++s) {
            if (sizes[s].width == 0)
                continue;
            const std::string name = std::string(kPrefixes[s]) + "_" + element;
            expected.push_back(name);
            const TBitmap bitmap = Load(name);
            EXPECT_EQ(bitmap.Width(), sizes[s].width) << name;
            EXPECT_EQ(bitmap.Height(), sizes[s].height) << name;
        }
    const TBitmap more = Load("MORE_SCROLLBUTTON");
    EXPECT_EQ(more.Width(), 72);
    EXPECT_EQ(more.Height(), 17);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ResourceNames(), expected);
}

TEST(StyleBitmapsTest, EveryBitmapElementOfTheTableNamesAResource)
{
    for (TsuiUIStyle style : kStyles)
        for (int element = 1; element <= kStyleElementCount; ++element) {
            const std::string name = GetStyleBitmapName(style, element);
            if (name.empty())
                continue;
            TBitmap bitmap;
            EXPECT_NO_THROW(GetStyleBitmap(style, element, &bitmap, 0, 0)) << name;
            EXPECT_FALSE(bitmap.Empty()) << name;
        }
}

TEST(StyleBitmapsTest, TransparentColourStandsWhereTheControlsKeyItOut)
{
    for (int s = 0; s < 5; ++s) {
        const std::string prefix = kPrefixes[s];
        SCOPED_TRACE(prefix);
        // Radio buttons key out their bottom-left pixel's colour: magenta, so the parent shows.
        for (int frame = 1; frame <= 4; ++frame) {
            const TBitmap radio = Frame(prefix + "_RADIOBUTTON", 4, frame);
            EXPECT_EQ(radio.Pixel(0, radio.Height() - 1), kMagenta) << frame;
            EXPECT_NE(radio.Pixel(radio.Width() / 2, radio.Height() / 2), kMagenta) << frame;
        }
        // Title buttons are keyed the same way in the styles that draw them transparent, and
        // are opaque in the others.
        const bool transparentTitle = GetStyleFlag(kStyles[s], STYLE_TITLEBUTTON_TRANSPARENT);
        for (int frame = 1; frame <= 18; ++frame) {
            const TBitmap button = Frame(prefix + "_TITLEBTN", 18, frame);
            EXPECT_EQ(button.Pixel(0, button.Height() - 1) == kMagenta, transparentTitle) << frame;
        }
        // Push-button corners are magenta only where the face is drawn transparent.
        const bool transparentButton = GetStyleFlag(kStyles[s], STYLE_BUTTON_TRANSPARENT);
        for (int frame = 1; frame <= 3; ++frame) {
            const TBitmap face = Frame(prefix + "_BUTTON", 3, frame);
            EXPECT_EQ(face.Pixel(0, 0) == kMagenta, transparentButton) << frame;
            EXPECT_NE(face.Pixel(face.Width() / 2, face.Height() / 2), kMagenta) << frame;
        }
        // Check boxes are drawn opaque: no magenta anywhere.
        const TBitmap check = Load(prefix + "_CHECKBOX");
        for (int y = 0; y < check.Height(); ++y)
            for (int x = 0; x < check.Width(); ++x)
                ASSERT_NE(check.Pixel(x, y), kMagenta) << x << "," << y;
    }
}

// The pieces that controls stretch look the same in every column they stretch.
TEST(StyleBitmapsTest, StretchedPiecesAreUniformAlongTheStretch)
{
    for (const char* prefix : kPrefixes) {
        SCOPED_TRACE(prefix);
        const TBitmap client = Load(std::string(prefix) + "_TITLE_CLIENT");
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 1; x < client.Width(); ++x)
                ASSERT_EQ(client.Pixel(x, y), client.Pixel(0, y)) << x << "," << y;
        const TBitmap middle = Frame(std::string(prefix) + "_SCROLLBAR_TRACK", 3, 2);
        for (int y = 0; y < middle.Height(); ++y)
            for (int x = 1; x < middle.Width(); ++x)
                ASSERT_EQ(middle.Pixel(x, y), middle.Pixel(0, y)) << x << "," << y;
        const TBitmap progress = Load(std::string(prefix) + "_PROGRESSBAR");
        for (int y = 0; y < progress.Height(); ++y)
            for (int x = 1; x < progress.Width(); ++x)
                ASSERT_EQ(progress.Pixel(x, y), progress.Pixel(0, y)) << x << "," << y;
    }
}

// --- The contact sheet ---------------------------------------------------------------------

constexpr int kScale = 2;
constexpr int kGap = 8;
constexpr int kSheetWidth = 1100;

const char* const kOrder[] = {
    "TITLE_LEFT",  "TITLE_CLIENT",    "TITLE_RIGHT",     "TITLEBTN",          "BUTTON",       "CHECKBOX",
    "RADIOBUTTON", "CHECKLIST",       "SCROLLBAR_BUTTON", "SCROLLBAR_TRACK",  "PROGRESSBAR",  "SCROLLBUTTON",
    "COMBOBOX_BUTTON", "TAB",         "TAB_LINE",        "TRACKBAR_BAR",      "TRACKBAR_SLIDER", "TRACKBAR_SLIDER_V",
    "SIDECHENNEL_BAR", "FORM_BACKGROUND", "MENU_BAR",    "MENU_SELECT",
};

void Blit(TBitmap& sheet, const TBitmap& picture, int left, int top)
{
    for (int y = -1; y <= picture.Height() * kScale; ++y)
        for (int x = -1; x <= picture.Width() * kScale; ++x) {
            const bool border = x < 0 || y < 0 || x == picture.Width() * kScale || y == picture.Height() * kScale;
            sheet.SetPixel(left + x, top + y, border ? TColor(0x9A9A9A) : picture.Pixel(x / kScale, y / kScale));
        }
}

struct TPlace {
    TBitmap picture;
    int left, top;
};

// One band per style: the side-channel handle stands at the left, every other picture follows in
// a fixed order on shelves, the three title pieces side by side as the title bar joins them.
int PlaceBand(const std::vector<std::string>& names, const std::string& handle, int top, std::vector<TPlace>& places)
{
    int start = kGap, bottom = top;
    if (!handle.empty()) {
        TBitmap picture = Load(handle);
        bottom = top + picture.Height() * kScale;
        start += picture.Width() * kScale + 2 * kGap;
        places.push_back({std::move(picture), kGap, top});
    }
    int x = start, y = top, shelf = 0;
    for (const std::string& name : names) {
        TBitmap picture = Load(name);
        const bool joined = name.find("TITLE_CLIENT") != std::string::npos || name.find("TITLE_RIGHT") != std::string::npos;
        const int w = picture.Width() * kScale, h = picture.Height() * kScale;
        if (joined)
            x -= kGap - 2;
        if (x + w + kGap > kSheetWidth) {
            x = start;
            y += shelf + kGap;
            shelf = 0;
        }
        places.push_back({std::move(picture), x, y});
        x += w + kGap;
        shelf = std::max(shelf, h);
    }
    return std::max(bottom, y + shelf);
}

TBitmap ContactSheet()
{
    std::vector<TPlace> places;
    std::vector<int> rules;
    int top = kGap;
    for (const char* prefix : kPrefixes) {
        std::vector<std::string> names;
        for (const char* element : kOrder)
            if (FindResourceBytes(std::string(prefix) + "_" + element))
                names.push_back(std::string(prefix) + "_" + element);
        top = PlaceBand(names, std::string(prefix) + "_SIDECHENNEL_HANDLE", top, places) + kGap;
        rules.push_back(top);
        top += 2 + kGap;
    }
    top = PlaceBand({"MORE_SCROLLBUTTON"}, "", top, places) + kGap;

    TBitmap sheet(kSheetWidth, top);
    for (int row = 0; row < sheet.Height(); ++row)
        for (int col = 0; col < sheet.Width(); ++col)
            sheet.SetPixel(col, row, ((row / 8 + col / 8) % 2) ? TColor(0xE6E6E6) : TColor(0xF4F4F4));
    for (int rule : rules)
        for (int row = rule; row < rule + 2; ++row)
            for (int col = 0; col < sheet.Width(); ++col)
                sheet.SetPixel(col, row, TColor(0x707070));
    for (const TPlace& place : places)
        Blit(sheet, place.picture, place.left, place.top);
    return sheet;
}

TEST(StyleBitmapsTest, ContactSheetMatchesTheGoldenPicture)
{
    const TBitmap sheet = ContactSheet();
    const std::string golden =
        PathToUtf8(skintest::SourceFolder().parent_path() / "golden" / "builtin-styles-contact-sheet.png");
    const char* update = std::getenv("MERROWIN_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        SavePngToFile(sheet, golden);
        GTEST_SKIP() << "wrote " << golden;
    }
    TBitmap expected;
    ASSERT_TRUE(skintest::Exists(golden)) << golden << " is missing; make it with MERROWIN_UPDATE_GOLDEN=1";
    ASSERT_TRUE(LoadPngFromFile(golden, expected));
    if (!(sheet == expected)) {
        const std::string actual =
            PathToUtf8(std::filesystem::temp_directory_path() / "builtin-styles-contact-sheet.png");
        SavePngToFile(sheet, actual);
        FAIL() << "the contact sheet differs from " << golden << "; this run's is " << actual;
    }
}

} // namespace
