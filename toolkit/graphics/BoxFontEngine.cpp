#include "toolkit/graphics/BoxFontEngine.h"

#include <algorithm>

int TBoxFontEngine::EmSize(const TFontRequest& font)
{
    const int em = font.height < 0 ? -font.height : font.height == 0 ? 11 : font.height;
    return std::clamp(em, 1, 1000);
}

bool TBoxFontEngine::IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

TFontMetrics TBoxFontEngine::Metrics(const TFontRequest& font)
{
    const int em = EmSize(font);
    TFontMetrics m;
    m.ascent = em - em / 4;
    m.descent = em / 4;
    m.averageCharWidth = std::max(1, em / 2) + (font.bold ? 1 : 0);
    m.maxCharWidth = em + (font.bold ? 1 : 0);
    m.underlinePosition = 0;
    m.underlineThickness = 1;
    m.strikeoutPosition = m.ascent / 2;
    m.strikeoutThickness = 1;
    return m;
}

namespace {

int Advance(const TFontRequest& font, char32_t c)
{
    if (c < 0x20 || c == 0x7F)
        return 0;
    const int em = TBoxFontEngine::EmSize(font);
    return (TBoxFontEngine::IsWide(c) ? em : std::max(1, em / 2)) + (font.bold ? 1 : 0);
}

} // namespace

std::vector<int> TBoxFontEngine::Advances(const TFontRequest& font, std::string_view utf8)
{
    std::vector<int> advances;
    for (char32_t c : DecodeUtf8(utf8))
        advances.push_back(Advance(font, c));
    return advances;
}

TTextRun TBoxFontEngine::Render(const TFontRequest& font, std::string_view utf8)
{
    const std::u32string text = DecodeUtf8(utf8);
    const int ascent = Metrics(font).ascent;
    TTextRun run;
    for (char32_t c : text)
        run.advance += Advance(font, c);
    // Rows 1 .. ascent - 1 of the line; every glyph box spans them all.
    run.mask.top = 1;
    run.mask.height = std::max(0, ascent - 1);
    run.mask.width = run.advance;
    run.mask.coverage.assign(size_t(run.mask.width) * size_t(run.mask.height), 0);
    int pen = 0;
    for (char32_t c : text) {
        const int advance = Advance(font, c);
        if (c != U' ' && advance > 1)
            for (int y = 0; y < run.mask.height; ++y)
                std::fill_n(run.mask.coverage.begin() + y * run.mask.width + pen, advance - 1, uint8_t(255));
        pen += advance;
    }
    return run;
}
