#include "platform/win32/SurrogateJoiner.h"

namespace {

bool IsHigh(uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::u32string TSurrogateJoiner::Take(uint16_t unit)
{
    std::u32string done;
    if (high_ && IsLow(unit)) {
        done.push_back(0x10000 + ((char32_t(high_) - 0xD800) << 10) + (char32_t(unit) - 0xDC00));
        high_ = 0;
        return done;
    }
    if (high_)
        done.push_back(U'\uFFFD');
    high_ = 0;
    if (IsHigh(unit))
        high_ = unit;
    else
        done.push_back(IsLow(unit) ? U'\uFFFD' : char32_t(unit));
    return done;
}
