#pragma once

#include <cstdint>
#include <string>

// Appends the lowest `digits` hexadecimal digits of `value`, upper case, leading zeros kept:
// what "%0<digits>X" writes for a value that fits. Written out rather than through printf, whose
// MinGW implementation (floating point included) would otherwise come into the Windows installer
// for a few hexadecimal numbers.
inline void AppendHex(std::string& text, uint32_t value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        text += "0123456789ABCDEF"[(value >> shift) & 0xF];
}
