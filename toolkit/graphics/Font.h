#pragma once

#include "toolkit/graphics/Color.h"

#include <functional>
#include <string>

struct TFontRequest;

// Font styles combine as bits: fsBold | fsUnderline.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

constexpr int DEFAULT_CHARSET = 1;
constexpr int ANSI_CHARSET = 0;
constexpr int GB2312_CHARSET = 134;

// The screen resolution fonts are sized for: a point is 96 / 72 pixels.
constexpr int kScreenPixelsPerInch = 96;

// A font description: face name, size, style and colour. Height is in pixels, negative for the
// character (em) height as the toolkit stores it (-11 is 8 points) and positive for the cell
// height; Size is in points, Size = -Height * 72 / 96 rounded to nearest (a positive Height gives
// a negative Size). The toolkit default is Tahoma, -11, no style, clWindowText.
//
// Copying a font copies its description, never its OnChange handler: the handler belongs to
// whoever owns the font, not to the values.
class TFont {
public:
    TFont() = default;
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    bool HasStyle(TFontStyle style) const { return (style_ & style) != 0; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    // Takes every value of source and calls OnChange once if anything differed.
    void Assign(const TFont& source);
    // Same name, height, style, colour and charset.
    bool operator==(const TFont& other) const;

    // What the font engine is asked for (face, height, bold, italic).
    TFontRequest Request() const;

    // Called after any value changes.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "Tahoma";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
};
