#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A colour: red in the low byte, then green, then blue, high byte 0. With the high bit set the
// low bits index a system colour; clNone and clDefault are markers, not colours.
using TColor = int32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<TColor>(uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16);
}
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | uint32_t(index)); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080;
constexpr TColor clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7), clWindowText = SystemColor(8), clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10), clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12), clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14), clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16), clGrayText = SystemColor(17), clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22), clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24), clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27), clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29), clMenuBar = SystemColor(30);

struct TColorName {
    std::string_view name;
    TColor value;
};

// The 52 named colours, in the toolkit's order.
std::span<const TColorName> ColorNames();

// The colour's name when it has one, else "$" and 8 upper-case hexadecimal digits.
std::string ColorToString(TColor color);
// A name (any case) or an integer text; raises "'%s' 不是有效整数值" for anything else.
TColor StringToColor(std::string_view text);
std::optional<TColor> IdentToColor(std::string_view name);
