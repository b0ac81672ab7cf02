#include "toolkit/graphics/Canvas.h"

#include "toolkit/core/Utf8.h"
#include "toolkit/graphics/BoxFontEngine.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/graphics/SystemColors.h"

#include <algorithm>

// Text: measuring, drawing runs, and the line layout behind DrawText.

namespace {

uint32_t PixelOf(TColor color) { return TBitmap::ColorToPixel(ColorToRGB(color)); }


// One line of DrawText: its characters, which of them carry a prefix underline, and where each
// starts once laid out.
struct Line {
    std::u32string chars;
    std::vector<bool> underlined;
    std::vector<int> x;  // start of each character, plus one entry for the end
    int Width() const { return x.empty() ? 0 : x.back(); }
};

class Layout {
public:
    Layout(FontEngine& engine, const TFontRequest& font, unsigned format)
        : engine_(engine), font_(font), format_(format)
    {
        const TFontMetrics m = engine.Metrics(font);
        tabStop_ = std::max(1, 8 * m.averageCharWidth);
    }

    // Positions of every character from x = 0, tabs jumping to the next stop when expanded.
    void Place(Line& line) const
    {
        const std::vector<int> advances = engine_.Advances(font_, EncodeUtf8(line.chars));
        line.x.assign(line.chars.size() + 1, 0);
        int pen = 0;
        for (size_t i = 0; i < line.chars.size(); ++i) {
            line.x[i] = pen;
            if (line.chars[i] == U'\t' && (format_ & DT_EXPANDTABS))
                pen = (pen / tabStop_ + 1) * tabStop_;
            else
                pen += i < advances.size() ? advances[i] : 0;
        }
        line.x.back() = pen;
    }

    int Width(std::u32string_view text) const
    {
        Line line;
        line.chars = text;
        Place(line);
        return line.Width();
    }

    Line Sub(const Line& line, size_t from, size_t to) const
    {
        Line part;
        part.chars = line.chars.substr(from, to - from);
        part.underlined.assign(line.underlined.begin() + long(from), line.underlined.begin() + long(to));
        Place(part);
        return part;
    }

    // Greedy breaking at spaces and around wide characters; the spaces where a line breaks are
    // dropped, a word wider than the line stays whole.
    std::vector<Line> Wrap(const Line& paragraph, int width) const
    {
        std::vector<Line> lines;
        size_t start = 0;
        const size_t n = paragraph.chars.size();
        while (true) {
            Line rest = Sub(paragraph, start, n);
            if (rest.Width() <= width || n - start <= 1) {
                lines.push_back(std::move(rest));
                return lines;
            }
            // The last break opportunity whose text before it still fits.
            size_t cut = 0;
            for (size_t i = 1; i < rest.chars.size(); ++i) {
                if (!CanBreakBefore(rest.chars, i))
                    continue;
                size_t end = i;
                while (end > 0 && IsBlank(rest.chars[end - 1]))
                    --end;
                if (rest.x[end] > width && cut != 0)
                    break;
                cut = i;
                if (rest.x[end] > width)
                    break;
            }
            if (cut == 0) {
                lines.push_back(std::move(rest));
                return lines;
            }
            size_t end = cut;
            while (end > 0 && IsBlank(rest.chars[end - 1]))
                --end;
            lines.push_back(Sub(rest, 0, end));
            start += cut;
        }
    }

    // Cuts characters from the end until the line and "..." fit into width.
    Line Ellipsize(const Line& line, int width) const
    {
        if (line.Width() <= width)
            return line;
        const int dots = Width(U"...");
        size_t keep = line.chars.size();
        while (keep > 0 && line.x[keep] + dots > width)
            --keep;
        Line shortened = Sub(line, 0, keep);
        shortened.chars += U"...";
        shortened.underlined.insert(shortened.underlined.end(), 3, false);
        Place(shortened);
        return shortened;
    }

private:
    static bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

    static bool CanBreakBefore(const std::u32string& chars, size_t i)
    {
        if (IsBlank(chars[i]))
            return false;
        return IsBlank(chars[i - 1]) || TBoxFontEngine::IsWide(chars[i]) || TBoxFontEngine::IsWide(chars[i - 1]);
    }

    FontEngine& engine_;
    TFontRequest font_;
    unsigned format_;
    int tabStop_ = 8;
};

// Splits the text into paragraphs at line breaks (none in single-line mode, where they are
// dropped) and resolves prefixes: "&x" underlines x, "&&" is "&", a final "&" disappears.
std::vector<Line> Paragraphs(std::string_view text, unsigned format)
{
    const std::u32string chars = DecodeUtf8(text);
    const bool prefixes = !(format & DT_NOPREFIX);
    const bool single = (format & DT_SINGLELINE) != 0;
    std::vector<Line> paragraphs(1);
    bool underlineNext = false;
    for (size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        if (c == U'\r' || c == U'\n') {
            if (!single) {
                if (c == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n')
                    ++i;
                paragraphs.emplace_back();
            }
            underlineNext = false;
            continue;
        }
        if (prefixes && c == U'&' && !underlineNext) {
            if (i + 1 < chars.size() && chars[i + 1] == U'&') {
                paragraphs.back().chars += U'&';
                paragraphs.back().underlined.push_back(false);
                ++i;
            } else {
                underlineNext = true;
            }
            continue;
        }
        paragraphs.back().chars += c;
        paragraphs.back().underlined.push_back(underlineNext);
        underlineNext = false;
    }
    return paragraphs;
}

} // namespace

int TCanvas::TextWidth(std::string_view text) const
{
    int width = 0;
    for (int advance : CurrentFontEngine().Advances(font_.Request(), text))
        width += advance;
    return width;
}

int TCanvas::TextHeight(std::string_view) const { return CurrentFontEngine().Metrics(font_.Request()).Height(); }

TSize TCanvas::TextExtent(std::string_view text) const { return {TextWidth(text), TextHeight(text)}; }

// Glyphs of text with the line's top-left at logical (x, y), in the font colour, blended by
// coverage with linear weights.
void TCanvas::DrawRun(int x, int y, std::string_view text)
{
    if (!target_ || text.empty())
        return;
    const TTextRun run = CurrentFontEngine().Render(font_.Request(), text);
    const TCoverageMask& m = run.mask;
    const uint32_t color = PixelOf(font_.Color());
    const uint32_t cr = (color >> 16) & 0xFF, cg = (color >> 8) & 0xFF, cb = color & 0xFF;
    const int left = x + origin_.X + m.left, top = y + origin_.Y + m.top;
    const TRect visible = Bounds(left, top, m.width, m.height).Intersect(clip_);
    for (int dy = visible.Top; dy < visible.Bottom; ++dy) {
        uint32_t* row = target_->ScanLine(dy);
        for (int dx = visible.Left; dx < visible.Right; ++dx) {
            const uint32_t a = m.At(dx - left, dy - top);
            if (a == 0)
                continue;
            const uint32_t p = row[dx];
            const auto mix = [a](uint32_t ink, uint32_t paper) { return (ink * a + paper * (255 - a) + 127) / 255; };
            row[dx] = 0xFF000000u | mix(cr, (p >> 16) & 0xFF) << 16 | mix(cg, (p >> 8) & 0xFF) << 8 | mix(cb, p & 0xFF);
        }
    }
}

// A bar in the font colour over logical columns x0 .. x1 - 1 and rows top .. top + thickness - 1.
void TCanvas::FontBar(int x0, int x1, int top, int thickness)
{
    if (x1 > x0)
        FillDeviceRect(ToDevice(TRect(x0, top, x1, top + thickness)), PixelOf(font_.Color()));
}

// Underline and strike-out of the font's style under a run of the given width.
void TCanvas::DrawDecorations(int x, int y, int width, const TFontMetrics& m)
{
    if (font_.HasStyle(fsUnderline))
        FontBar(x, x + width, y + m.ascent + m.underlinePosition, m.underlineThickness);
    if (font_.HasStyle(fsStrikeOut))
        FontBar(x, x + width, y + m.ascent - m.strikeoutPosition, m.strikeoutThickness);
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    const TFontMetrics m = CurrentFontEngine().Metrics(font_.Request());
    const int width = TextWidth(text);
    if (brush_.Paints())
        FillDeviceRect(ToDevice(Bounds(x, y, width, m.Height())), PixelOf(brush_.Color()));
    DrawRun(x, y, text);
    DrawDecorations(x, y, width, m);
    penPos_ = {x + width, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text)
{
    Save();
    IntersectClip(rect);
    if (brush_.Paints())
        FillDeviceRect(ToDevice(rect), PixelOf(brush_.Color()));
    const TFontMetrics m = CurrentFontEngine().Metrics(font_.Request());
    DrawRun(x, y, text);
    DrawDecorations(x, y, TextWidth(text), m);
    Restore();
}

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned format)
{
    FontEngine& engine = CurrentFontEngine();
    const TFontRequest request = font_.Request();
    const TFontMetrics metrics = engine.Metrics(request);
    const Layout layout(engine, request, format);
    const bool single = (format & DT_SINGLELINE) != 0;
    const int width = rect.Width();

    std::vector<Line> lines;
    if (!text.empty()) {
        for (Line& paragraph : Paragraphs(text, format)) {
            layout.Place(paragraph);
            if ((format & DT_WORDBREAK) && !single) {
                for (Line& line : layout.Wrap(paragraph, width))
                    lines.push_back(std::move(line));
            } else {
                lines.push_back(std::move(paragraph));
            }
        }
    }
    if (format & DT_END_ELLIPSIS)
        for (Line& line : lines)
            line = layout.Ellipsize(line, width);

    const int lineHeight = metrics.Height() + ((format & DT_EXTERNALLEADING) ? metrics.externalLeading : 0);
    const int textHeight = lineHeight * int(lines.size());
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, line.Width());

    if (format & DT_CALCRECT) {
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + textHeight;
        return textHeight;
    }

    int y = rect.Top;
    if (single && (format & DT_VCENTER))
        y = rect.Top + (rect.Height() - textHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        y = rect.Bottom - textHeight;
    const int result = (y - rect.Top) + textHeight;

    Save();
    if (!(format & DT_NOCLIP))
        IntersectClip(rect);
    const bool drawText = !(format & DT_PREFIXONLY);
    const bool drawPrefixes = !(format & DT_HIDEPREFIX) && !(format & DT_NOPREFIX);
    for (const Line& line : lines) {
        int x = rect.Left;
        if (format & DT_CENTER)
            x = rect.Left + (width - line.Width()) / 2;
        else if (format & DT_RIGHT)
            x = rect.Right - line.Width();
        if (drawText) {
            if (brush_.Paints())
                FillDeviceRect(ToDevice(Bounds(x, y, line.Width(), lineHeight)), PixelOf(brush_.Color()));
            // Runs between tabs, each at its laid-out place.
            size_t start = 0;
            for (size_t i = 0; i <= line.chars.size(); ++i) {
                if (i == line.chars.size() || line.chars[i] == U'\t') {
                    DrawRun(x + line.x[start], y, EncodeUtf8(std::u32string_view(line.chars).substr(start, i - start)));
                    start = i + 1;
                }
            }
            DrawDecorations(x, y, line.Width(), metrics);
        }
        if (drawPrefixes)
            for (size_t i = 0; i < line.chars.size(); ++i)
                if (line.underlined[i])
                    FontBar(x + line.x[i], x + line.x[i + 1], y + metrics.ascent + metrics.underlinePosition,
                            metrics.underlineThickness);
        y += lineHeight;
    }
    Restore();
    return result;
}
