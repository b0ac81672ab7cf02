#include "toolkit/graphics/Font.h"

#include "platform/FontEngine.h"

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_), charset_(other.charset_)
{
}

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

void TFont::SetName(const std::string& name)
{
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c)
{
    const long long product = (long long)a * b;
    const long long half = c / 2;
    return int(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

} // namespace

int TFont::Size() const { return -MulDiv(height_, 72, kScreenPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, kScreenPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style)
{
    style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TFont::SetCharset(int charset)
{
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

void TFont::Assign(const TFont& source)
{
    if (&source == this || source == *this)
        return;
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    charset_ = source.charset_;
    Changed();
}

bool TFont::operator==(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_ &&
           charset_ == other.charset_;
}

TFontRequest TFont::Request() const
{
    TFontRequest request;
    request.face = name_;
    request.height = height_;
    request.bold = HasStyle(fsBold);
    request.italic = HasStyle(fsItalic);
    return request;
}
