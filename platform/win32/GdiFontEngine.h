#pragma once

#include "platform/FontEngine.h"

#include <memory>

// Glyphs from GDI, the system's own text renderer, so that the program's text looks like every
// other program's on the same machine. Fonts are made with CreateFontW from the request: the
// face (Tahoma when none is named), the height with the same sign rule as the request's, bold
// and italic, the ANSI character set and antialiased quality (grey coverage, never ClearType's
// coloured fringes). Characters the face lacks come from the system's font linking, as they do
// in every other program (Tahoma links Chinese to SimSun on Chinese systems).
//
// Each glyph is drawn once, white on black, into a 32-bit DIB section; its coverage is the green
// channel. Runs are composed from those cached glyphs at the advances GetTextExtentPoint32W
// gives each character alone, so a run's width is always the sum of its advances.
class GdiFontEngine : public FontEngine {
public:
    GdiFontEngine();
    ~GdiFontEngine() override;
    GdiFontEngine(const GdiFontEngine&) = delete;
    GdiFontEngine& operator=(const GdiFontEngine&) = delete;

    // False when GDI gave no device context to draw in; every call then answers zeros.
    bool Ready() const;

    TFontMetrics Metrics(const TFontRequest& font) override;
    std::vector<int> Advances(const TFontRequest& font, std::string_view utf8) override;
    TTextRun Render(const TFontRequest& font, std::string_view utf8) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
