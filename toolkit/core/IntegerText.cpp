#include "toolkit/core/IntegerText.h"

#include "toolkit/core/Exceptions.h"

#include <string>

namespace {

int DigitValue(char c, int base)
{
    int value = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    return value < base ? value : -1;
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Decimal stops at 2^31 (the magnitude of the lowest value), hexadecimal at 2^32 - 1.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t magnitude = 0;
    for (char c : text) {
        int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    auto bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

int32_t StrToInt(std::string_view text)
{
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(std::string(text));
}
