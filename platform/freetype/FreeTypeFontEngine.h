#pragma once

#include "platform/FontEngine.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// One font file (and face index inside a collection) the engine may use.
struct TFontFile {
    std::string path;
    int index = 0;
};

// The faces an engine draws with. Faces are matched by family name among `faces` only (through a
// private fontconfig configuration that knows no other fonts); a name none of them carries gets
// the first face of the matching weight. Code points the chosen face lacks come from `fallbacks`,
// tried in order.
struct TFontSet {
    std::vector<TFontFile> faces;
    std::vector<TFontFile> fallbacks;
};

// Glyphs through FreeType with fixed settings so that a picture depends only on the font files
// and the library version: embedded bitmap strikes wherever a face has one for the size (within
// one pixel for fallback faces, as CJK strikes come in 12 px and up), otherwise outlines with
// FreeType's light auto-hinting and 8-bit greyscale coverage, no subpixel rendering, no LCD
// filter, no gamma (coverage is linear). Bold and italic that a face lacks are made by widening
// one column and by shearing rows.
class TFreeTypeFontEngine : public FontEngine {
public:
    explicit TFreeTypeFontEngine(const TFontSet& fonts);
    ~TFreeTypeFontEngine() override;
    TFreeTypeFontEngine(const TFreeTypeFontEngine&) = delete;
    TFreeTypeFontEngine& operator=(const TFreeTypeFontEngine&) = delete;

    TFontMetrics Metrics(const TFontRequest& font) override;
    std::vector<int> Advances(const TFontRequest& font, std::string_view utf8) override;
    TTextRun Render(const TFontRequest& font, std::string_view utf8) override;

    // How many of the configured files could be opened.
    int LoadedFaceCount() const;

private:
    TFontMetrics MeasureFont(const TFontRequest& font);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The program's pinned fonts on Linux: Wine's Tahoma (regular and bold), with the WenQuanYi
// Zen Hei Sharp face for CJK and whatever else Tahoma lacks. See the README's Fonts section.
TFontSet PinnedFontSet();
