#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Turns text into coverage masks. The canvas does all layout and blending itself; an engine only
// answers "how wide" and "which pixels", so every platform lays text out the same way and only
// the glyph shapes come from the platform (FreeType with pinned font files on Linux and in tests,
// GDI on Windows).

// Which font to use. `height` follows the toolkit font's rule: negative = the character height
// (em size) in pixels, positive = the cell height (ascent + descent), 0 = the engine's default.
struct TFontRequest {
    std::string face;
    int height = -11;
    bool bold = false;
    bool italic = false;

    bool operator==(const TFontRequest&) const = default;
};

// Vertical metrics of a font in pixels. A line of text is `ascent + descent` high; the baseline
// lies `ascent` below the top of the line.
struct TFontMetrics {
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;  // cell height - em height
    int externalLeading = 0;  // extra gap the font suggests between lines
    int averageCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 0;  // rows below the baseline of the underline's top row
    int underlineThickness = 1;
    int strikeoutPosition = 0;  // rows above the baseline of the strike-out line's top row
    int strikeoutThickness = 1;

    int Height() const { return ascent + descent; }
};

// 8-bit coverage of a rendered run: 0 = untouched, 255 = fully covered. Pixel (x, y) of the mask
// lands at (penX + left + x, lineTop + top + y), where penX is where the run starts and lineTop
// the top of the line (the baseline is `ascent` below it).
struct TCoverageMask {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;  // width * height bytes, top row first

    uint8_t At(int x, int y) const { return coverage[size_t(y) * size_t(width) + size_t(x)]; }
};

// A rendered run: its mask and the total advance (how far the pen moves).
struct TTextRun {
    TCoverageMask mask;
    int advance = 0;
};

class FontEngine {
public:
    virtual ~FontEngine() = default;

    virtual TFontMetrics Metrics(const TFontRequest& font) = 0;
    // One advance in pixels per code point of the UTF-8 text, in order; the width of a run is
    // their sum (no kerning). Invalid UTF-8 bytes count as one U+FFFD each.
    virtual std::vector<int> Advances(const TFontRequest& font, std::string_view utf8) = 0;
    // The run drawn with its first pen position at x = 0. Glyphs the face lacks come from the
    // engine's fallback faces (CJK), else as the face's missing-glyph box.
    virtual TTextRun Render(const TFontRequest& font, std::string_view utf8) = 0;
};

// The code point starting at byte i of UTF-8 text, moving i past it. A byte that does not start
// a valid, shortest-form sequence gives U+FFFD and moves i by one.
inline char32_t DecodeUtf8At(std::string_view utf8, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    const int length = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
    char32_t c = length == 1 ? b0 : length == 2 ? (b0 & 0x1F) : length == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    bool valid = length > 0 && i + size_t(length) <= utf8.size();
    for (int k = 1; valid && k < length; ++k) {
        const auto b = static_cast<unsigned char>(utf8[i + size_t(k)]);
        valid = (b & 0xC0) == 0x80;
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
        valid = false;
    i += valid ? size_t(length) : 1;
    return valid ? c : U'\uFFFD';
}

// Code points of UTF-8 text, decoded as DecodeUtf8At does; the count matches what Advances
// returns.
inline std::u32string DecodeUtf8(std::string_view utf8)
{
    std::u32string out;
    for (size_t i = 0; i < utf8.size();)
        out.push_back(DecodeUtf8At(utf8, i));
    return out;
}

// The platform's engine with the program's pinned fonts (FreeType on Linux, GDI on Windows).
// Never null; an engine whose fonts cannot be found still measures and draws boxes.
std::unique_ptr<FontEngine> CreatePlatformFontEngine();
