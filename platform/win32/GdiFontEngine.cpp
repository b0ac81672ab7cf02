#include "platform/win32/GdiFontEngine.h"

#include "platform/GlyphRun.h"
#include "platform/win32/CoverageCrop.h"
#include "platform/win32/TopDownDib.h"
#include "platform/win32/WideText.h"
#include "toolkit/graphics/BoxFontEngine.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// The limits that keep a cache or a drawing surface from growing without bound: a dialog uses a
// handful of fonts and a few hundred characters.
constexpr size_t kMaxFonts = 64;
constexpr size_t kMaxGlyphs = 20000;
constexpr int kMaxEm = 1000;
constexpr int kDefaultHeight = -11;

struct Glyph {
    int advance = 0;
    bool drawn = false;
    TCoverageMask mask;  // left: from the pen; top: from the top of the line
};

struct Font {
    HFONT handle = nullptr;
    TFontMetrics metrics;
    std::map<char32_t, Glyph> glyphs;
};

using FontKey = std::tuple<std::string, int, bool, bool>;

int LogicalHeight(int height)
{
    if (height == 0)
        return kDefaultHeight;
    return std::clamp(height, -kMaxEm, kMaxEm);
}

int Utf16(char32_t c, wchar_t (&units)[2])
{
    if (c < 0x10000) {
        units[0] = static_cast<wchar_t>(c);
        return 1;
    }
    c -= 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 + (c >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    return 2;
}

bool IsControl(char32_t c) { return c < 0x20 || c == 0x7F; }

} // namespace

struct GdiFontEngine::Impl {
    HDC dc = nullptr;
    HBITMAP canvas = nullptr;
    HGDIOBJ canvasOld = nullptr;
    uint32_t* canvasBits = nullptr;
    int canvasWidth = 0;
    int canvasHeight = 0;
    std::map<FontKey, Font> fonts;

    Impl();
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    Font& Get(const TFontRequest& request);
    void Measure(Font& font);
    Glyph& GlyphFor(Font& font, char32_t c, bool withMask);
    void Draw(Font& font, char32_t c, Glyph& glyph);
    bool Canvas(int width, int height);
    void FreeFonts();
};

GdiFontEngine::Impl::Impl()
{
    dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return;
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

GdiFontEngine::Impl::~Impl()
{
    if (dc) {
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        if (canvasOld)
            SelectObject(dc, canvasOld);
    }
    FreeFonts();
    if (canvas)
        DeleteObject(canvas);
    if (dc)
        DeleteDC(dc);
}

void GdiFontEngine::Impl::FreeFonts()
{
    if (dc)
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
    for (auto& entry : fonts)
        if (entry.second.handle)
            DeleteObject(entry.second.handle);
    fonts.clear();
}

Font& GdiFontEngine::Impl::Get(const TFontRequest& request)
{
    const FontKey key{request.face, request.height, request.bold, request.italic};
    if (auto it = fonts.find(key); it != fonts.end())
        return it->second;
    if (fonts.size() >= kMaxFonts)
        FreeFonts();
    Font& font = fonts[key];
    const std::wstring face = ToWide(request.face.empty() ? std::string("Tahoma") : request.face);
    // ANSI_CHARSET keeps the font mapper on the named face even on a Chinese system, where the
    // default character set would prefer a Chinese face for the Latin text too; font linking
    // still supplies the Chinese characters.
    font.handle = CreateFontW(LogicalHeight(request.height), 0, 0, 0, request.bold ? FW_BOLD : FW_NORMAL,
                              request.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    Measure(font);
    return font;
}

void GdiFontEngine::Impl::Measure(Font& font)
{
    SelectObject(dc, font.handle ? static_cast<HGDIOBJ>(font.handle) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    TFontMetrics& m = font.metrics;
    m.ascent = tm.tmAscent;
    m.descent = tm.tmDescent;
    m.internalLeading = tm.tmInternalLeading;
    m.externalLeading = tm.tmExternalLeading;
    m.averageCharWidth = tm.tmAveCharWidth;
    m.maxCharWidth = tm.tmMaxCharWidth;
    m.underlineThickness = 1;
    m.underlinePosition = m.descent > 1 ? 1 : 0;
    m.strikeoutThickness = 1;
    m.strikeoutPosition = m.ascent / 3;
    const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW))
        return;
    // Outline metrics carry their strings behind the structure; whole structures keep it aligned.
    std::vector<OUTLINETEXTMETRICW> outline((size + sizeof(OUTLINETEXTMETRICW) - 1) / sizeof(OUTLINETEXTMETRICW));
    if (!GetOutlineTextMetricsW(dc, size, outline.data()))
        return;
    const OUTLINETEXTMETRICW& otm = outline.front();
    // GDI draws the underline centred on its position (negative: below the baseline) and the
    // strike-out with its top at its position above the baseline.
    m.underlineThickness = std::max(1, static_cast<int>(otm.otmsUnderscoreSize));
    m.underlinePosition = std::clamp(-otm.otmsUnderscorePosition - m.underlineThickness / 2, 0,
                                     std::max(0, m.descent - m.underlineThickness));
    m.strikeoutThickness = std::max(1, static_cast<int>(otm.otmsStrikeoutSize));
    m.strikeoutPosition = otm.otmsStrikeoutPosition;
}

Glyph& GdiFontEngine::Impl::GlyphFor(Font& font, char32_t c, bool withMask)
{
    auto [it, added] = font.glyphs.try_emplace(c);
    Glyph& glyph = it->second;
    // Control characters take no room; line breaks and tabs are the layout's business.
    if (added && !IsControl(c)) {
        wchar_t units[2];
        const int count = Utf16(c, units);
        SelectObject(dc, font.handle ? static_cast<HGDIOBJ>(font.handle) : GetStockObject(DEFAULT_GUI_FONT));
        SIZE size{};
        if (GetTextExtentPoint32W(dc, units, count, &size))
            glyph.advance = size.cx;
    }
    if (withMask && !glyph.drawn) {
        glyph.drawn = true;
        if (!IsControl(c))
            Draw(font, c, glyph);
    }
    return glyph;
}

// The glyph alone, white on black, with room around it for overhangs (italics, accents, the
// bearings of linked CJK faces); its coverage is whatever GDI left in the green channel.
void GdiFontEngine::Impl::Draw(Font& font, char32_t c, Glyph& glyph)
{
    const int cell = std::max(1, font.metrics.Height());
    const int pad = cell / 2 + 4;
    const int width = glyph.advance + 2 * pad, height = cell + 2 * pad;
    if (!Canvas(width, height))
        return;
    GdiFlush();
    std::fill(canvasBits, canvasBits + size_t(canvasWidth) * size_t(height), 0u);
    wchar_t units[2];
    const int count = Utf16(c, units);
    SelectObject(dc, font.handle ? static_cast<HGDIOBJ>(font.handle) : GetStockObject(DEFAULT_GUI_FONT));
    ExtTextOutW(dc, pad, pad, 0, nullptr, units, static_cast<UINT>(count), nullptr);
    GdiFlush();
    glyph.mask = CoverageFromGreen(canvasBits, canvasWidth, height, pad, pad);
}

// One drawing surface for every glyph, grown when a larger one comes along.
bool GdiFontEngine::Impl::Canvas(int width, int height)
{
    if (!dc || width <= 0 || height <= 0 || width > 8192 || height > 8192)
        return false;
    if (canvas && width <= canvasWidth && height <= canvasHeight)
        return true;
    width = std::max(width, canvasWidth);
    height = std::max(height, canvasHeight);
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP bigger = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bigger || !bits) {
        if (bigger)
            DeleteObject(bigger);
        return false;
    }
    HGDIOBJ previous = SelectObject(dc, bigger);
    if (canvas)
        DeleteObject(canvas);
    else
        canvasOld = previous;
    canvas = bigger;
    canvasBits = static_cast<uint32_t*>(bits);
    canvasWidth = width;
    canvasHeight = height;
    return true;
}

// --- The engine -----------------------------------------------------------------------------

GdiFontEngine::GdiFontEngine() : impl_(std::make_unique<Impl>()) {}

GdiFontEngine::~GdiFontEngine() = default;

bool GdiFontEngine::Ready() const { return impl_->dc != nullptr; }

TFontMetrics GdiFontEngine::Metrics(const TFontRequest& font) { return impl_->Get(font).metrics; }

std::vector<int> GdiFontEngine::Advances(const TFontRequest& font, std::string_view utf8)
{
    Font& f = impl_->Get(font);
    if (f.glyphs.size() > kMaxGlyphs)
        f.glyphs.clear();
    std::vector<int> advances;
    for (char32_t c : DecodeUtf8(utf8))
        advances.push_back(impl_->GlyphFor(f, c, false).advance);
    return advances;
}

TTextRun GdiFontEngine::Render(const TFontRequest& font, std::string_view utf8)
{
    Font& f = impl_->Get(font);
    if (f.glyphs.size() > kMaxGlyphs)
        f.glyphs.clear();
    TGlyphRunBuilder builder;
    int pen = 0;
    for (char32_t c : DecodeUtf8(utf8)) {
        const Glyph& glyph = impl_->GlyphFor(f, c, true);
        builder.Place(glyph.mask, pen + glyph.mask.left, glyph.mask.top);
        pen += glyph.advance;
    }
    return builder.Finish(pen);
}

std::unique_ptr<FontEngine> CreatePlatformFontEngine()
{
    auto engine = std::make_unique<GdiFontEngine>();
    if (engine->Ready())
        return engine;
    // Without even a memory device context there is no GDI text at all; boxes keep the layout.
    return std::make_unique<TBoxFontEngine>();
}
