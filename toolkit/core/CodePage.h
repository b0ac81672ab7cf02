#pragma once

#include <string>
#include <string_view>

// Code page 936 (GBK), the 8-bit code page of every text an installer carries, as Windows
// defines it. The conversion is table driven, so it is the same on every platform.

// Bytes that do not form a character of the code page become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
// Characters the code page lacks, and bytes that are not UTF-8, become "?".
std::string Utf8ToGbk(std::string_view utf8);

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF).
bool IsUtf8(std::string_view text);
