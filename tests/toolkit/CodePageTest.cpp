#include "toolkit/core/CodePage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

using namespace std::string_literals;

namespace {

std::string Utf8Of(char32_t point)
{
    std::string text;
    if (point < 0x80) {
        text += static_cast<char>(point);
    } else if (point < 0x800) {
        text += static_cast<char>(0xC0 | point >> 6);
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | point >> 12);
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    }
    return text;
}

// The system's own converter, which the program's table was generated from (and packed for).
std::string SystemGbkToUtf8(iconv_t converter, std::string gbk)
{
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char out[8];
    char* in = gbk.data();
    size_t inLeft = gbk.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return "\uFFFD";
    return std::string(out, outPtr);
}

} // namespace

// Every pair decodes as the system's CP936 converter decodes it: the packed table unpacks to
// exactly the characters it was made from.
TEST(CodePage, EveryPairDecodesAsTheSystemConverterDoes)
{
    iconv_t converter = iconv_open("UTF-8", "CP936");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(GbkToUtf8(pair), SystemGbkToUtf8(converter, pair)) << std::hex << lead << ' ' << trail;
        }
    iconv_close(converter);
}

TEST(CodePage, ConvertsKnownCharactersBothWays)
{
    const std::string gbk = "\xCE\xD2\xB5\xC4 Flash \xC7\xBD\xD6\xBD\r\n\x80";
    const std::string utf8 = "我的 Flash 墙纸\r\n€";
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(CodePage, LeavesAsciiAloneIncludingControls)
{
    std::string ascii;
    for (int c = 0; c < 0x80; ++c)
        ascii += static_cast<char>(c);
    EXPECT_EQ(GbkToUtf8(ascii), ascii);
    EXPECT_EQ(Utf8ToGbk(ascii), ascii);
}

TEST(CodePage, ReplacesBytesThatAreNoCharacter)
{
    EXPECT_EQ(GbkToUtf8("A\xB5"), "A\uFFFD");                // lead byte at the end
    EXPECT_EQ(GbkToUtf8("\xB5\r\nB"), "\uFFFD\r\nB");        // a line break is no trail byte
    EXPECT_EQ(GbkToUtf8("\xB5\x7F"), "\uFFFD\x7F");          // nor is DEL
    EXPECT_EQ(GbkToUtf8("\xA1\x40Z"), "\uFFFDZ");            // well formed but unmapped pair
    EXPECT_EQ(GbkToUtf8("\xFF\xB5\xFF"), "\uFFFD\uFFFD\uFFFD");
}

TEST(CodePage, EncodesBadUtf8AndMissingCharactersAsQuestionMarks)
{
    EXPECT_EQ(Utf8ToGbk("\x80"), "?");                       // continuation byte alone
    EXPECT_EQ(Utf8ToGbk("\xE6\x88" "A"), "??A");             // cut short
    EXPECT_EQ(Utf8ToGbk("\xC0\xAF\xE0\x80\xAF"), "?????");   // overlong
    EXPECT_EQ(Utf8ToGbk("\xED\xA0\x80"), "???");             // surrogate
    EXPECT_EQ(Utf8ToGbk("\xF4\x90\x80\x80"), "????");        // past U+10FFFF
    EXPECT_EQ(Utf8ToGbk("\xF8\x88\x80\x80\x80"), "?????");
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");                      // outside the BMP
    EXPECT_EQ(Utf8ToGbk("ก\uFFFD"), "??");                   // in the BMP, not in the code page
}

// Walks the whole table, so a shifted row, a lost entry or a duplicate shows up here.
TEST(CodePage, EveryMappedPairRoundTrips)
{
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = GbkToUtf8(pair);
            if (utf8 == "\uFFFD")
                continue;
            ++mapped;
            ASSERT_EQ(Utf8ToGbk(utf8), pair) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(mapped, 21791);
}

TEST(CodePage, EveryEncodableCharacterRoundTrips)
{
    int encodable = 0;
    for (char32_t point = 0x80; point <= 0xFFFF; ++point) {
        if (point >= 0xD800 && point <= 0xDFFF)
            continue;
        const std::string utf8 = Utf8Of(point);
        const std::string gbk = Utf8ToGbk(utf8);
        if (gbk == "?")
            continue;
        ++encodable;
        ASSERT_EQ(GbkToUtf8(gbk), utf8) << std::hex << static_cast<uint32_t>(point);
    }
    EXPECT_EQ(encodable, 21791 + 1);
}

TEST(IsUtf8, AcceptsWellFormedTextOnly)
{
    EXPECT_TRUE(IsUtf8(""));
    EXPECT_TRUE(IsUtf8("plain 墙纸 \xF0\x9F\x98\x80"));
    for (const char* bad : {"\xB0\xA1", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\xA2"})
        EXPECT_FALSE(IsUtf8(bad)) << bad;
}
