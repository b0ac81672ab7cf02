#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Signed 32-bit integers written in decimal ("-12") or as "$" and hexadecimal digits ("$FF",
// "-$10"); hexadecimal covers the full 32 bits, so "$FFFFFFFF" is -1. Nothing else is allowed:
// no spaces, no other prefixes, no trailing characters.
std::optional<int32_t> TryStrToInt(std::string_view text);

// As TryStrToInt, but raises "'%s' 不是有效整数值" for a text that is not such an integer.
int32_t StrToInt(std::string_view text);
