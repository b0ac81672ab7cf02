#include "platform/sdl/TextInput.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the sequence that starts with `lead`, 0 for a byte that cannot start one.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

}  // namespace

std::u32string CodePointsFromUtf8(std::string_view text)
{
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::u32string points;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = SequenceLength(lead);
        if (length == 0 || text.size() - i < static_cast<size_t>(length)) {
            points += kReplacement;
            ++i;
            continue;
        }
        char32_t point = length == 1 ? lead : lead & (0xFF >> (length + 1));
        bool valid = true;
        for (int k = 1; k < length && valid; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        if (!valid || point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            points += kReplacement;
            ++i;
            continue;
        }
        points += point;
        i += static_cast<size_t>(length);
    }
    return points;
}
