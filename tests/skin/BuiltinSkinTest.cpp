// The built-in skin as the build makes it: every value of the key tables, and its pictures
// against a reviewed contact sheet (regenerate with MERROWIN_UPDATE_GOLDEN=1 and look at it).
#include "skin/SkinTestSupport.h"
#include "skin/archive/FileThemeMgr.h"
#include "toolkit/graphics/PngWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace skintest;

#ifdef MERROWIN_BUILTIN_SKIN

namespace {

class BuiltinSkinTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(manager.LoadFromFile(MERROWIN_BUILTIN_SKIN, "")); }

    TTempFolder temp;
    TFakeSystemServices services{temp.Path() + "/"};
    TsuiFileThemeMgr manager{services};
};

// Width and height by bitmap key; 0 x 0 for the pictures the skin leaves out.
const int kBitmapSizes[kSkinBitmapKeyCount][2] = {
    {60, 41},  {143, 41}, {44, 41}, {12, 41}, {166, 41}, {26, 296}, {26, 296}, {252, 23}, {0, 0},
    {0, 0},    {160, 27}, {396, 22}, {16, 16}, {0, 0},   {0, 0},    {243, 23}, {102, 17}, {44, 11},
    {60, 15},  {1, 17},   {8, 17},  {8, 17},  {1, 17},   {60, 6},   {11, 21},  {21, 11},  {48, 16},
    {16, 71},  {48, 16},  {60, 18}, {8, 1},   {7, 84},   {1, 21},   {64, 16},
};

const TColor kColors[kSkinColorKeyCount] = {
    0xFF00FF, 0xFFFFFF, 0x515151, 0x515151, 0x515151, 0x8A8A8A, 0x8A8A8A, 0xFFFFFF, 0xC4C4C4, 0x6A6A6A, 0x6A6A6A,
    0x515151, 0xC4C4C4, 0x8A8A8A, 0x8A8A8A, 0xFFFFFF, 0x515151, 0x515151, 0x515151, 0x000000, 0x000000, 0xA8A8A8,
    0x000000, 0xFFFFFF, 0xFFFFFF, 0x474747, 0xA8A8A8, 0x000000, 0x000000, 0xFFFFFF, 0xA8A8A8, 0x000000,
};

const int32_t kIntegers[kSkinIntKeyCount] = {43, 8, 8, 13, 6, 0, 9, 15, 22};
const bool kFlags[kSkinFlagKeyCount] = {true, false, true, true, false, true, false, true, false};

constexpr int kScale = 2;
constexpr int kGap = 10;
constexpr int kSheetWidth = 1000;

void Blit(TBitmap& sheet, const TBitmap& picture, int left, int top)
{
    for (int y = -1; y <= picture.Height() * kScale; ++y)
        for (int x = -1; x <= picture.Width() * kScale; ++x) {
            const bool border = x < 0 || y < 0 || x == picture.Width() * kScale || y == picture.Height() * kScale;
            sheet.SetPixel(left + x, top + y, border ? TColor(0x9A9A9A) : picture.Pixel(x / kScale, y / kScale));
        }
}

// Every picture doubled: the tall side borders stand in a column at the left, the others follow
// in key order on shelves to their right.
TBitmap ContactSheet(const TsuiFileThemeMgr& manager)
{
    struct TPlace {
        const TBitmap* picture;
        int left, top;
    };
    std::vector<TPlace> places;
    int column = kGap, bottom = 0;
    std::vector<const TBitmap*> others;
    for (int key = 0; key < kSkinBitmapKeyCount; ++key) {
        const TBitmap* picture = manager.GetBitmap(static_cast<TsuiSkinBitmapKey>(key));
        if (picture && picture->Height() > 100) {
            places.push_back({picture, column, kGap});
            column += picture->Width() * kScale + kGap;
            bottom = std::max(bottom, kGap + picture->Height() * kScale);
        } else if (picture) {
            others.push_back(picture);
        }
    }
    const int start = column + kGap;
    int x = start, y = kGap, shelf = 0;
    for (const TBitmap* picture : others) {
        const int w = picture->Width() * kScale, h = picture->Height() * kScale;
        if (x + w + kGap > kSheetWidth) {
            x = start;
            y += shelf + kGap;
            shelf = 0;
        }
        places.push_back({picture, x, y});
        x += w + kGap;
        shelf = std::max(shelf, h);
    }
    TBitmap sheet(kSheetWidth, std::max(bottom, y + shelf) + kGap);
    for (int row = 0; row < sheet.Height(); ++row)
        for (int col = 0; col < sheet.Width(); ++col)
            sheet.SetPixel(col, row, ((row / 8 + col / 8) % 2) ? TColor(0xE6E6E6) : TColor(0xF4F4F4));
    for (const TPlace& place : places)
        Blit(sheet, *place.picture, place.left, place.top);
    return sheet;
}

} // namespace

TEST_F(BuiltinSkinTest, HoldsTheValuesOfTheKeyTables)
{
    for (int key = 0; key < kSkinColorKeyCount; ++key)
        EXPECT_EQ(manager.GetColor(static_cast<TsuiSkinColorKey>(key)), kColors[key]) << key;
    for (int key = 0; key < kSkinIntKeyCount; ++key)
        EXPECT_EQ(manager.GetInteger(static_cast<TsuiSkinIntKey>(key)), kIntegers[key]) << key;
    for (int key = 0; key < kSkinFlagKeyCount; ++key)
        EXPECT_EQ(manager.GetFlag(static_cast<TsuiSkinFlagKey>(key)), kFlags[key]) << key;
    for (int key = 0; key < kSkinBitmapKeyCount; ++key) {
        const TBitmap* picture = manager.GetBitmap(static_cast<TsuiSkinBitmapKey>(key));
        SCOPED_TRACE(SkinKeyName(static_cast<TsuiSkinBitmapKey>(key)));
        if (kBitmapSizes[key][0] == 0) {
            EXPECT_EQ(picture, nullptr);
        } else {
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(picture->Width(), kBitmapSizes[key][0]);
            EXPECT_EQ(picture->Height(), kBitmapSizes[key][1]);
        }
    }
    const Tsk2SkinFileReader& reader = *manager.Reader();
    EXPECT_EQ(reader.GetInteger("SKIN2_SYSTEMCOLOR1"), 0x00FF00);
    EXPECT_EQ(reader.GetInteger("SKIN2_SYSTEMCOLOR2"), 0x800000);
    EXPECT_EQ(reader.Records().size(), 82u);
}

TEST_F(BuiltinSkinTest, PicturesKeepTheirTransparentAndKeyedColoursWhereControlsExpectThem)
{
    const TColor magenta = 0xFF00FF;
    // Rounded top corners are cut by the window region; below its rows the title is solid.
    const TBitmap& left = *manager.GetBitmap(SKIN2_TITLEBAR1);
    EXPECT_EQ(left.Pixel(0, 0), magenta);
    for (int y = 10; y < left.Height(); ++y)
        EXPECT_NE(left.Pixel(0, y), magenta) << y;
    const TBitmap& bottom = *manager.GetBitmap(SKIN2_FORMBOTTOMBORDER1);
    EXPECT_EQ(bottom.Pixel(0, bottom.Height() - 1), magenta);
    EXPECT_EQ(bottom.Pixel(bottom.Width() - 1, bottom.Height() - 1), magenta);
    for (int y = 0; y < 15; ++y)
        EXPECT_NE(bottom.Pixel(0, y), magenta) << y;
    // The side borders and the title sections that get stretched look the same in every
    // stretched column or row.
    for (TsuiSkinBitmapKey key : {SKIN2_TITLEBAR2, SKIN2_TITLEBAR4}) {
        const TBitmap& piece = *manager.GetBitmap(key);
        for (int y = 0; y < piece.Height(); ++y)
            for (int x = 1; x < piece.Width(); ++x)
                ASSERT_EQ(piece.Pixel(x, y), piece.Pixel(0, y)) << SkinKeyName(key) << " " << x << "," << y;
    }
    const TBitmap& border = *manager.GetBitmap(SKIN2_FORMLEFTBORDER);
    for (int y = 1; y < border.Height(); ++y)
        for (int x = 0; x < border.Width(); ++x)
            ASSERT_EQ(border.Pixel(x, y), border.Pixel(x, 0)) << x << "," << y;
    // Radio buttons key out their bottom-left colour; the form colour shows there.
    EXPECT_EQ(manager.GetBitmap(SKIN2_RADIOBUTTON)->Pixel(0, 14), 0x515151);
    // Button faces key out magenta corners.
    EXPECT_EQ(manager.GetBitmap(SKIN2_BUTTON)->Pixel(0, 0), magenta);
}

TEST_F(BuiltinSkinTest, ContactSheetMatchesTheGoldenPicture)
{
    const TBitmap sheet = ContactSheet(manager);
    const std::string golden = PathToUtf8(SourceFolder().parent_path() / "golden" / "builtin-skin-contact-sheet.png");
    const char* update = std::getenv("MERROWIN_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        SavePngToFile(sheet, golden);
        GTEST_SKIP() << "wrote " << golden;
    }
    TBitmap expected;
    ASSERT_TRUE(Exists(golden)) << golden << " is missing; make it with MERROWIN_UPDATE_GOLDEN=1";
    ASSERT_TRUE(LoadPngFromFile(golden, expected));
    if (!(sheet == expected)) {
        const std::string actual = PathToUtf8(std::filesystem::temp_directory_path() / "builtin-skin-contact-sheet.png");
        SavePngToFile(sheet, actual);
        FAIL() << "the contact sheet differs from " << golden << "; this run's is " << actual;
    }
}

#endif
