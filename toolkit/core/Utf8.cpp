#include "toolkit/core/Utf8.h"

void AppendUtf8(std::string& text, char32_t point)
{
    if (point < 0x80) {
        text += static_cast<char>(point);
    } else if (point < 0x800) {
        text += static_cast<char>(0xC0 | point >> 6);
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        text += static_cast<char>(0xE0 | point >> 12);
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | point >> 18);
        text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::string EncodeUtf8(char32_t point)
{
    std::string text;
    AppendUtf8(text, point);
    return text;
}

std::string EncodeUtf8(std::u32string_view points)
{
    std::string text;
    text.reserve(points.size());
    for (char32_t point : points)
        AppendUtf8(text, point);
    return text;
}
