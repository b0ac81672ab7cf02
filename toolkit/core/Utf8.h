#pragma once

#include <string>
#include <string_view>

// Appends one code point as UTF-8 (1 to 4 bytes).
void AppendUtf8(std::string& text, char32_t point);
std::string EncodeUtf8(char32_t point);
std::string EncodeUtf8(std::u32string_view points);
