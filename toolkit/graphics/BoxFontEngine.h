#pragma once

#include "platform/FontEngine.h"

// A font engine without fonts: every code point is a box, so text layout can be measured and
// tested without any font file and gives the same numbers everywhere.
// For an em size e (from the request's height; -11 or 11 when 0): ascent = e - e / 4, descent =
// e / 4, a Latin or other narrow character advances e / 2 (at least 1) and a wide one (CJK,
// full-width forms) advances e. Each box fills its advance less one column at the right and its
// ascent from row 1; a space draws nothing, and control characters (tabs, line breaks) take no
// room at all. Bold adds one column to every advance.
class TBoxFontEngine : public FontEngine {
public:
    TFontMetrics Metrics(const TFontRequest& font) override;
    std::vector<int> Advances(const TFontRequest& font, std::string_view utf8) override;
    TTextRun Render(const TFontRequest& font, std::string_view utf8) override;

    static int EmSize(const TFontRequest& font);
    static bool IsWide(char32_t c);
};
