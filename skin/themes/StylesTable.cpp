#include "skin/themes/StylesTable.h"

#include "skin/themes/DrawingHelpers.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/resources/Resources.h"

#include <cstdint>

namespace {

enum class TStyleKind : uint8_t { Integer, Color, Bitmap, Flag };

// One element: a value per built-in style (MacOS, WinXP, DeepBlue, Protein, BlueGlass), or for
// bitmaps the resource name: the style's prefix, "_" and the suffix, unless `names` spells the
// five names out.
struct TStyleRow {
    TStyleKind kind;
    int32_t values[5];
    const char* suffix;
    const char* const* names;
};

constexpr TStyleRow Int(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e)
{
    return {TStyleKind::Integer, {a, b, c, d, e}, nullptr, nullptr};
}
constexpr TStyleRow Col(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e)
{
    return {TStyleKind::Color, {a, b, c, d, e}, nullptr, nullptr};
}
constexpr TStyleRow Flag(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e)
{
    return {TStyleKind::Flag, {a, b, c, d, e}, nullptr, nullptr};
}
constexpr TStyleRow Bmp(const char* suffix) { return {TStyleKind::Bitmap, {}, suffix, nullptr}; }
constexpr TStyleRow Bmp(const char* const* names) { return {TStyleKind::Bitmap, {}, nullptr, names}; }

const char* const kPrefixes[5] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};
const char* const kScrollButtons[5] = {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON",
                                       "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON"};
const char* const kNoBitmap[5] = {"", "", "", "", ""};

const TStyleRow kTable[kStyleElementCount] = {
    Bmp("BUTTON"),                                                   // 1
    Flag(1, 0, 0, 0, 1),                                             // 2
    Bmp("CHECKBOX"),                                                 // 3
    Bmp("RADIOBUTTON"),                                              // 4
    Bmp("TITLEBTN"),                                                 // 5
    Flag(0, 0, 0, 1, 1),                                             // 6
    Int(3, 2, 0, 0, 4),                                              // 7
    Int(-2, -2, 0, 0, -3),                                           // 8
    Int(4, 5, 2, 2, 6),                                              // 9
    Bmp("TITLE_LEFT"),                                               // 10
    Bmp("TITLE_CLIENT"),                                             // 11
    Bmp("TITLE_RIGHT"),                                              // 12
    Int(130, 150, 130, 130, 270),                                    // 13
    Int(0, 13, 0, 0, 11),                                            // 14
    Col(0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),           // 15
    Col(0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000),           // 16
    Int(1, 3, 1, 1, 1),                                              // 17
    Col(0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E),           // 18
    Col(0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E),           // 19
    Col(0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF),           // 20
    Col(0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7),           // 21
    Col(0x000000, 0x000000, 0x000000, 0x000000, 0x000000),           // 22
    Col(0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6),           // 23
    Bmp("PROGRESSBAR"),                                              // 24
    Col(0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000),           // 25
    Col(0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),           // 26
    Col(0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000),           // 27
    Bmp("TRACKBAR_BAR"),                                             // 28
    Bmp("TRACKBAR_SLIDER"),                                          // 29
    Bmp("TRACKBAR_SLIDER_V"),                                        // 30
    Col(0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4),           // 31
    Bmp("SCROLLBAR_BUTTON"),                                         // 32
    Bmp("SCROLLBAR_TRACK"),                                          // 33
    Bmp("CHECKLIST"),                                                // 34
    Col(0x474747, 0xC66931, 0x474747, 0x474747, 0x474747),           // 35
    Col(0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF),           // 36
    Col(0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8),           // 37
    Bmp(kScrollButtons),                                             // 38
    Bmp("TAB"),                                                      // 39
    Bmp("TAB_LINE"),                                                 // 40
    Bmp("SIDECHENNEL_HANDLE"),                                       // 41
    Bmp("SIDECHENNEL_BAR"),                                          // 42
    Bmp(kNoBitmap),                                                  // 43
    Col(0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF),           // 44
    Bmp(kNoBitmap),                                                  // 45
    Bmp(kNoBitmap),                                                  // 46
    Int(0, 0, 0, 0, 0),                                              // 47
    Col(0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),           // 48
};

// What a lookup outside the table reads as.
constexpr TStyleRow kNone = Int(-1, -1, -1, -1, -1);

// The row and the column of the style, or kNone and column 0.
const TStyleRow& Lookup(TsuiUIStyle style, int element, int& column)
{
    const int s = static_cast<int>(style) % 128;
    column = 0;
    if (s < MacOS || s > BlueGlass || element < 1 || element > kStyleElementCount)
        return kNone;
    column = s - 1;
    return kTable[element - 1];
}

} // namespace

std::string GetStyleBitmapName(TsuiUIStyle style, int element)
{
    int column;
    const TStyleRow& row = Lookup(style, element, column);
    if (row.kind != TStyleKind::Bitmap)
        return {};
    if (row.names)
        return row.names[column];
    return std::string(kPrefixes[column]) + "_" + row.suffix;
}

void GetStyleBitmap(TsuiUIStyle style, int element, TBitmap* dest, int frameCount, int frameIndex)
{
    if (!dest)
        return;
    const std::string name = GetStyleBitmapName(style, element);
    if (name.empty()) {
        if (frameCount != 0)
            dest->SetSize(0, 0);
        return;
    }
    if (frameCount == 0) {
        LoadBitmapResource(name, *dest);
        return;
    }
    CopyBitmapFrame(DecodedBitmapResource(name), *dest, frameCount, frameIndex);
}

bool GetStyleFlag(TsuiUIStyle style, int element)
{
    int column;
    const TStyleRow& row = Lookup(style, element, column);
    return row.kind == TStyleKind::Flag && row.values[column] != 0;
}

TColor GetStyleColor(TsuiUIStyle style, int element)
{
    int column;
    const TStyleRow& row = Lookup(style, element, column);
    return row.kind == TStyleKind::Color ? row.values[column] : 0;
}

int GetStyleInteger(TsuiUIStyle style, int element)
{
    int column;
    const TStyleRow& row = Lookup(style, element, column);
    return row.kind == TStyleKind::Integer ? row.values[column] : -1;
}
