#include "toolkit/core/CodePage.h"

#include "toolkit/core/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include <zlib.h>

// Both come from CodePage936Table.cpp, which tools/generate/cp936-table writes; a 0 entry
// means the byte or pair is not a character.
extern const uint16_t kCp936SingleByte[128];     // bytes 0x80..0xFF
extern const unsigned char kCp936DoubleBytePacked[]; // lead 0x81..0xFE, trail 0x40..0xFE, packed
extern const size_t kCp936DoubleBytePackedSize;

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Stands for a byte that begins no UTF-8 character; above every code point.
constexpr char32_t kNotUtf8 = 0xFFFFFFFF;
constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kFirstTrail = 0x40;
constexpr size_t kLeads = 0xFE - kFirstLead + 1;
constexpr size_t kTrails = 0xFE - kFirstTrail + 1;

struct Decoded {
    char32_t point;
    size_t length;
};

bool IsLead(uint8_t byte)
{
    return byte >= kFirstLead && byte <= 0xFE;
}

bool IsTrail(uint8_t byte)
{
    return byte >= kFirstTrail && byte <= 0xFE && byte != 0x7F;
}

// The pairs' table, unpacked from the form the generator explains: a third of its size in every
// program that carries it.
std::vector<uint16_t> UnpackDoubleBytes()
{
    constexpr size_t count = kLeads * kTrails;
    std::vector<unsigned char> planes(2 * count);
    uLongf length = static_cast<uLongf>(planes.size());
    if (uncompress(planes.data(), &length, kCp936DoubleBytePacked, static_cast<uLong>(kCp936DoubleBytePackedSize)) != Z_OK ||
        length != planes.size())
        throw std::logic_error("the code page 936 table does not unpack");
    std::vector<uint16_t> table(count);
    uint16_t last = 0;
    for (size_t i = 0; i < count; ++i) {
        table[i] = static_cast<uint16_t>(last + (planes[i] << 8 | planes[count + i]));
        if (table[i] != 0)
            last = table[i];
    }
    return table;
}

// The character of a lead and a trail byte in their ranges, 0 for none.
uint16_t DoubleByte(unsigned lead, unsigned trail)
{
    static const std::vector<uint16_t> table = UnpackDoubleBytes();
    return table[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)];
}

char32_t OrReplacement(uint16_t point)
{
    return point != 0 ? point : kReplacement;
}

// The first character of a non-empty code page text. An unmapped pair is one bad character,
// but a lead byte followed by a byte that cannot be a trail (CR, LF, digits, DEL, ...) is bad
// on its own: the next byte starts afresh, so a stray lead byte never eats a line break.
Decoded DecodeGbk(std::string_view bytes)
{
    auto lead = static_cast<uint8_t>(bytes[0]);
    if (lead < 0x80)
        return {lead, 1};
    if (!IsLead(lead))
        return {OrReplacement(kCp936SingleByte[lead - 0x80]), 1};
    if (bytes.size() < 2 || !IsTrail(static_cast<uint8_t>(bytes[1])))
        return {kReplacement, 1};
    auto trail = static_cast<uint8_t>(bytes[1]);
    return {OrReplacement(DoubleByte(lead, trail)), 2};
}


// The length of a sequence that starts with a byte beyond ASCII; 0 for a continuation byte.
size_t Utf8Length(uint8_t first)
{
    return first < 0xC0 ? 0 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
}

// The first character of a non-empty UTF-8 text, or kNotUtf8 with length 1 when the first byte
// does not begin a well-formed character: overlong forms, surrogates and code points past
// U+10FFFF count as malformed, so each of their bytes is reported on its own.
Decoded DecodeUtf8(std::string_view bytes)
{
    static constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
    auto first = static_cast<uint8_t>(bytes[0]);
    if (first < 0x80)
        return {first, 1};
    size_t length = Utf8Length(first);
    if (length == 0 || first > 0xF4 || bytes.size() < length)
        return {kNotUtf8, 1};
    char32_t point = first & (0x7Fu >> length);
    for (size_t i = 1; i < length; ++i) {
        auto next = static_cast<uint8_t>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return {kNotUtf8, 1};
        point = point << 6 | (next & 0x3Fu);
    }
    if (point < kLowest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return {kNotUtf8, 1};
    return {point, length};
}

// For every BMP character, its code page bytes: a single byte as itself, a pair as
// lead << 8 | trail, 0 when the code page lacks the character.
std::vector<uint16_t> BuildReverseMap()
{
    std::vector<uint16_t> map(0x10000, 0);
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
        if (uint16_t point = kCp936SingleByte[byte - 0x80])
            map[point] = static_cast<uint16_t>(byte);
    for (unsigned lead = kFirstLead; lead <= 0xFE; ++lead)
        for (unsigned trail = kFirstTrail; trail <= 0xFE; ++trail)
            if (uint16_t point = DoubleByte(lead, trail))
                map[point] = static_cast<uint16_t>(lead << 8 | trail);
    return map;
}

// Built on first use rather than at start-up, since most runs never encode; the static's
// initialisation is thread-safe.
const std::vector<uint16_t>& ReverseMap()
{
    static const std::vector<uint16_t> map = BuildReverseMap();
    return map;
}

void AppendGbk(std::string& text, char32_t point)
{
    uint16_t code = point <= 0xFFFF ? ReverseMap()[point] : 0;
    if (code == 0) {
        text += '?';
    } else if (code <= 0xFF) {
        text += static_cast<char>(code);
    } else {
        text += static_cast<char>(code >> 8);
        text += static_cast<char>(code & 0xFF);
    }
}

} // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    std::string utf8;
    utf8.reserve(gbk.size() * 3 / 2);
    while (!gbk.empty()) {
        Decoded character = DecodeGbk(gbk);
        AppendUtf8(utf8, character.point);
        gbk.remove_prefix(character.length);
    }
    return utf8;
}

std::string Utf8ToGbk(std::string_view utf8)
{
    std::string gbk;
    gbk.reserve(utf8.size());
    while (!utf8.empty()) {
        Decoded character = DecodeUtf8(utf8);
        if (character.point < 0x80)
            gbk += static_cast<char>(character.point);
        else
            AppendGbk(gbk, character.point);
        utf8.remove_prefix(character.length);
    }
    return gbk;
}

bool IsUtf8(std::string_view text)
{
    while (!text.empty()) {
        Decoded character = DecodeUtf8(text);
        if (character.point == kNotUtf8)
            return false;
        text.remove_prefix(character.length);
    }
    return true;
}
