#include "platform/freetype/FreeTypeFontEngine.h"

#include "platform/GlyphRun.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// FreeType's 26.6 fixed point to whole pixels, rounding to nearest.
int Round26(long value) { return int((value + 32) >> 6); }

// a * b / c rounded to nearest, for font units scaled to pixels (all values small).
int Scale(long units, int em, int unitsPerEm)
{
    if (unitsPerEm <= 0)
        return 0;
    const long long product = (long long)units * em;
    return int(product >= 0 ? (product + unitsPerEm / 2) / unitsPerEm : -((-product + unitsPerEm / 2) / unitsPerEm));
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

struct Face {
    FT_Face ft = nullptr;
    TFontFile file;
    std::string family;
    bool bold = false;
    bool italic = false;
};

struct Glyph {
    TCoverageMask mask;  // left: from the pen; top: rows above the baseline of row 0
    int advance = 0;
};

struct SizedFace {
    Face* face = nullptr;
    int em = 0;
    int strike = -1;  // index of the embedded bitmap strike in use, -1 for outlines
};

} // namespace

struct TFreeTypeFontEngine::Impl {
    FT_Library library = nullptr;
    FcConfig* config = nullptr;
    std::vector<std::unique_ptr<Face>> faces;
    std::vector<std::unique_ptr<Face>> fallbacks;
    std::map<std::tuple<std::string, bool, bool>, Face*> resolved;
    std::map<std::tuple<const Face*, int, bool, bool, char32_t>, Glyph> glyphs;
    std::map<std::tuple<std::string, int, bool, bool>, TFontMetrics> metrics;

    explicit Impl(const TFontSet& fonts);
    ~Impl();

    std::unique_ptr<Face> Open(const TFontFile& file);
    Face* Primary(const TFontRequest& font);
    int EmSize(const TFontRequest& font, Face* face) const;
    SizedFace Size(Face* face, int em, bool fallback) const;
    const Glyph& GlyphFor(const TFontRequest& font, char32_t c);
    Glyph Load(const SizedFace& sized, FT_UInt index, bool bold, bool italic);
    static Glyph Box(int em);
};

TFreeTypeFontEngine::Impl::Impl(const TFontSet& fonts)
{
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return;
    }
    config = FcConfigCreate();
    for (const TFontFile& file : fonts.faces) {
        if (auto face = Open(file)) {
            if (config)
                FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.path.c_str()));
            faces.push_back(std::move(face));
        }
    }
    for (const TFontFile& file : fonts.fallbacks) {
        if (auto face = Open(file))
            fallbacks.push_back(std::move(face));
    }
}

TFreeTypeFontEngine::Impl::~Impl()
{
    for (auto* list : {&faces, &fallbacks})
        for (auto& face : *list)
            FT_Done_Face(face->ft);
    if (config)
        FcConfigDestroy(config);
    if (library)
        FT_Done_FreeType(library);
}

std::unique_ptr<Face> TFreeTypeFontEngine::Impl::Open(const TFontFile& file)
{
    if (!library)
        return nullptr;
    FT_Face ft = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &ft) != 0)
        return nullptr;
    if (FT_Select_Charmap(ft, FT_ENCODING_UNICODE) != 0) {
        FT_Done_Face(ft);
        return nullptr;
    }
    auto face = std::make_unique<Face>();
    face->ft = ft;
    face->file = file;
    face->family = ft->family_name ? ft->family_name : "";
    face->bold = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    face->italic = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    return face;
}

// The face for a request: the one fontconfig matches by family name among our files when its
// family is the one asked for, otherwise the first face whose weight matches.
Face* TFreeTypeFontEngine::Impl::Primary(const TFontRequest& font)
{
    if (faces.empty())
        return nullptr;
    const auto key = std::make_tuple(font.face, font.bold, font.italic);
    if (auto it = resolved.find(key); it != resolved.end())
        return it->second;

    Face* chosen = nullptr;
    if (config && !font.face.empty()) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
            FcChar8* file = nullptr;
            int index = 0;
            bool familyMatches = false;
            FcChar8* family = nullptr;
            for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i)
                familyMatches = familyMatches || SameNameIgnoringCase(reinterpret_cast<const char*>(family), font.face);
            if (familyMatches && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
                FcPatternGetInteger(match, FC_INDEX, 0, &index);
                for (auto& face : faces)
                    if (face->file.path == reinterpret_cast<const char*>(file) && face->file.index == index)
                        chosen = face.get();
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    if (!chosen) {
        for (auto& face : faces)
            if (!chosen && face->bold == font.bold)
                chosen = face.get();
        if (!chosen)
            chosen = faces.front().get();
    }
    resolved.emplace(key, chosen);
    return chosen;
}

int TFreeTypeFontEngine::Impl::EmSize(const TFontRequest& font, Face* face) const
{
    if (font.height < 0)
        return std::min(-font.height, 1000);
    if (font.height == 0 || !face)
        return font.height == 0 ? 11 : std::min(font.height, 1000);
    // A positive height is the cell height: scale it back to the em size.
    const FT_Face ft = face->ft;
    long cell = ft->ascender - ft->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2)))
        cell = long(os2->usWinAscent) + long(os2->usWinDescent);
    if (cell <= 0 || ft->units_per_EM == 0)
        return std::min(font.height, 1000);
    return std::max(1, std::min(Scale(font.height, ft->units_per_EM, int(cell)), 1000));
}

// Strikes are preferred: an exact one for every face, and for fallback faces one a pixel larger
// or smaller, because CJK strikes start at 12 px while the dialog font is 11 px.
SizedFace TFreeTypeFontEngine::Impl::Size(Face* face, int em, bool fallback) const
{
    SizedFace sized{face, em, -1};
    const FT_Face ft = face->ft;
    const int tries[] = {em, em + 1, em - 1};
    for (int t = 0; t < (fallback || !FT_IS_SCALABLE(ft) ? 3 : 1) && sized.strike < 0; ++t)
        for (int s = 0; s < ft->num_fixed_sizes; ++s)
            if (Round26(ft->available_sizes[s].y_ppem) == tries[t]) {
                sized.strike = s;
                break;
            }
    if (sized.strike < 0 && !FT_IS_SCALABLE(ft) && ft->num_fixed_sizes > 0) {
        int best = 0;
        for (int s = 1; s < ft->num_fixed_sizes; ++s)
            if (std::abs(Round26(ft->available_sizes[s].y_ppem) - em) <
                std::abs(Round26(ft->available_sizes[best].y_ppem) - em))
                best = s;
        sized.strike = best;
    }
    return sized;
}

Glyph TFreeTypeFontEngine::Impl::Box(int em)
{
    Glyph glyph;
    const int w = std::max(1, em / 2);
    const int h = std::max(1, em - em / 4);
    glyph.advance = w + 1;
    glyph.mask.left = 0;
    glyph.mask.top = h;
    glyph.mask.width = w;
    glyph.mask.height = h;
    glyph.mask.coverage.assign(size_t(w) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                glyph.mask.coverage[size_t(y) * size_t(w) + size_t(x)] = 255;
    return glyph;
}

namespace {

// Bold that the face lacks: every covered pixel also covers its right neighbour.
void Embolden(Glyph& glyph)
{
    TCoverageMask& m = glyph.mask;
    if (m.width > 0 && m.height > 0) {
        std::vector<uint8_t> wide(size_t(m.width + 1) * size_t(m.height), 0);
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x <= m.width; ++x) {
                const uint8_t here = x < m.width ? m.At(x, y) : 0;
                const uint8_t left = x > 0 ? m.At(x - 1, y) : 0;
                wide[size_t(y) * size_t(m.width + 1) + size_t(x)] = std::max(here, left);
            }
        m.coverage = std::move(wide);
        ++m.width;
    }
    ++glyph.advance;
}

int FloorDiv4(int v) { return v >= 0 ? v / 4 : -((-v + 3) / 4); }

// Italic that the face lacks: each row moves right by a quarter of its height above the baseline.
void Slant(Glyph& glyph)
{
    TCoverageMask& m = glyph.mask;
    if (m.width <= 0 || m.height <= 0)
        return;
    const int maxShift = FloorDiv4(m.top - 1);
    const int minShift = FloorDiv4(m.top - m.height);
    const int width = m.width + maxShift - minShift;
    std::vector<uint8_t> slanted(size_t(width) * size_t(m.height), 0);
    for (int y = 0; y < m.height; ++y) {
        const int offset = FloorDiv4(m.top - 1 - y) - minShift;
        for (int x = 0; x < m.width; ++x)
            slanted[size_t(y) * size_t(width) + size_t(x + offset)] = m.At(x, y);
    }
    m.coverage = std::move(slanted);
    m.width = width;
    m.left += minShift;
}

bool CopyBitmap(const FT_Bitmap& bitmap, TCoverageMask& mask)
{
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return false;
    mask.width = int(bitmap.width);
    mask.height = int(bitmap.rows);
    mask.coverage.assign(size_t(mask.width) * size_t(mask.height), 0);
    for (int y = 0; y < mask.height; ++y) {
        const unsigned char* row = bitmap.buffer + long(y) * bitmap.pitch;
        for (int x = 0; x < mask.width; ++x) {
            uint8_t value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else if (bitmap.num_grays == 256)
                value = row[x];
            else
                value = uint8_t(row[x] * 255 / std::max(1, bitmap.num_grays - 1));
            mask.coverage[size_t(y) * size_t(mask.width) + size_t(x)] = value;
        }
    }
    return true;
}

} // namespace

Glyph TFreeTypeFontEngine::Impl::Load(const SizedFace& sized, FT_UInt index, bool bold, bool italic)
{
    const FT_Face ft = sized.face->ft;
    FT_Int32 flags = FT_LOAD_DEFAULT;
    bool sizeSet = false;
    if (sized.strike >= 0) {
        sizeSet = FT_Select_Size(ft, sized.strike) == 0;
    } else {
        sizeSet = FT_Set_Pixel_Sizes(ft, 0, FT_UInt(sized.em)) == 0;
        flags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;
    }
    if (!sizeSet || FT_Load_Glyph(ft, index, flags) != 0 || FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return Box(sized.em);
    const FT_GlyphSlot slot = ft->glyph;
    Glyph glyph;
    if (!CopyBitmap(slot->bitmap, glyph.mask))
        return Box(sized.em);
    glyph.mask.left = slot->bitmap_left;
    glyph.mask.top = slot->bitmap_top;
    glyph.advance = Round26(slot->advance.x);
    if (bold && !sized.face->bold)
        Embolden(glyph);
    if (italic && !sized.face->italic)
        Slant(glyph);
    return glyph;
}

const Glyph& TFreeTypeFontEngine::Impl::GlyphFor(const TFontRequest& font, char32_t c)
{
    Face* primary = Primary(font);
    const int em = EmSize(font, primary);
    const auto key = std::make_tuple(static_cast<const Face*>(primary), em, font.bold, font.italic, c);
    if (auto it = glyphs.find(key); it != glyphs.end())
        return it->second;

    Glyph glyph;
    if (c < 0x20 || c == 0x7F) {
        // Control characters take no room; line breaks and tabs are the layout's business.
    } else if (!primary) {
        glyph = Box(em);
    } else if (FT_UInt index = FT_Get_Char_Index(primary->ft, FT_ULong(c)); index != 0) {
        glyph = Load(Size(primary, em, false), index, font.bold, font.italic);
    } else {
        bool found = false;
        for (auto& fallback : fallbacks) {
            if (FT_UInt fi = FT_Get_Char_Index(fallback->ft, FT_ULong(c)); fi != 0) {
                glyph = Load(Size(fallback.get(), em, true), fi, font.bold, font.italic);
                found = true;
                break;
            }
        }
        if (!found)
            glyph = Load(Size(primary, em, false), 0, font.bold, font.italic);
    }
    // A few thousand glyphs are plenty for a dialog; start over rather than grow without bound.
    if (glyphs.size() > 20000)
        glyphs.clear();
    return glyphs.emplace(key, std::move(glyph)).first->second;
}

TFreeTypeFontEngine::TFreeTypeFontEngine(const TFontSet& fonts) : impl_(std::make_unique<Impl>(fonts)) {}

TFreeTypeFontEngine::~TFreeTypeFontEngine() = default;

int TFreeTypeFontEngine::LoadedFaceCount() const { return int(impl_->faces.size() + impl_->fallbacks.size()); }

TFontMetrics TFreeTypeFontEngine::Metrics(const TFontRequest& font)
{
    const auto key = std::make_tuple(font.face, font.height, font.bold, font.italic);
    if (auto it = impl_->metrics.find(key); it != impl_->metrics.end())
        return it->second;
    const TFontMetrics m = MeasureFont(font);
    impl_->metrics.emplace(key, m);
    return m;
}

TFontMetrics TFreeTypeFontEngine::MeasureFont(const TFontRequest& font)
{
    Face* face = impl_->Primary(font);
    const int em = impl_->EmSize(font, face);
    TFontMetrics m;
    if (!face) {
        m.ascent = em - em / 4;
        m.descent = em / 4;
        m.averageCharWidth = std::max(1, em / 2) + 1;
        m.maxCharWidth = m.averageCharWidth;
        m.strikeoutPosition = m.ascent / 3;
        return m;
    }
    const FT_Face ft = face->ft;
    const int upem = ft->units_per_EM;
    long ascender = ft->ascender;
    long descender = -ft->descender;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    m.ascent = Scale(ascender, em, upem);
    m.descent = Scale(descender, em, upem);
    m.internalLeading = std::max(0, m.ascent + m.descent - em);
    const long hheaLine = ft->ascender - ft->descender;
    const long lineGap = ft->height - hheaLine;
    m.externalLeading = std::max(0, Scale(lineGap - ((ascender + descender) - hheaLine), em, upem));
    // The mean advance of the lower-case letters and the space, as the classic text metrics
    // define it; the fonts' own averages are taken over all their glyphs and come out wider.
    int letters = impl_->GlyphFor(font, U' ').advance;
    for (char32_t c = U'a'; c <= U'z'; ++c)
        letters += impl_->GlyphFor(font, c).advance;
    m.averageCharWidth = (letters + 13) / 27;
    m.maxCharWidth = Scale(ft->bbox.xMax - ft->bbox.xMin, em, upem);
    m.underlineThickness = std::max(1, Scale(ft->underline_thickness, em, upem));
    m.underlinePosition = std::clamp(Scale(-ft->underline_position, em, upem) - 1, 0,
                                     std::max(0, m.descent - m.underlineThickness));
    if (os2 && os2->yStrikeoutSize > 0) {
        m.strikeoutThickness = std::max(1, Scale(os2->yStrikeoutSize, em, upem));
        m.strikeoutPosition = Scale(os2->yStrikeoutPosition, em, upem);
    } else {
        m.strikeoutPosition = m.ascent / 3;
    }
    return m;
}

std::vector<int> TFreeTypeFontEngine::Advances(const TFontRequest& font, std::string_view utf8)
{
    std::vector<int> advances;
    for (char32_t c : DecodeUtf8(utf8))
        advances.push_back(impl_->GlyphFor(font, c).advance);
    return advances;
}

TTextRun TFreeTypeFontEngine::Render(const TFontRequest& font, std::string_view utf8)
{
    // Glyph masks stand on the baseline: their top counts upwards from it.
    const int ascent = Metrics(font).ascent;
    TGlyphRunBuilder builder;
    int pen = 0;
    for (char32_t c : DecodeUtf8(utf8)) {
        const Glyph& glyph = impl_->GlyphFor(font, c);
        builder.Place(glyph.mask, pen + glyph.mask.left, ascent - glyph.mask.top);
        pen += glyph.advance;
    }
    return builder.Finish(pen);
}

TFontSet PinnedFontSet()
{
    TFontSet set;
    set.faces = {{"/usr/share/wine/fonts/tahoma.ttf", 0}, {"/usr/share/wine/fonts/tahomabd.ttf", 0}};
    set.fallbacks = {{"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", 2}};
    return set;
}

std::unique_ptr<FontEngine> CreatePlatformFontEngine()
{
    return std::make_unique<TFreeTypeFontEngine>(PinnedFontSet());
}
