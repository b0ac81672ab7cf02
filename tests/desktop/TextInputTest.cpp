#include "platform/sdl/TextInput.h"

#include <gtest/gtest.h>

TEST(TextInput, DecodesEverySequenceLength)
{
    EXPECT_EQ(CodePointsFromUtf8("a"), U"a");
    EXPECT_EQ(CodePointsFromUtf8("\xC3\xA9"), U"\u00E9");
    EXPECT_EQ(CodePointsFromUtf8("中文"), U"中文");
    EXPECT_EQ(CodePointsFromUtf8("\xF0\x9F\x98\x80!"), U"\U0001F600!");
    EXPECT_EQ(CodePointsFromUtf8("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");
    EXPECT_EQ(CodePointsFromUtf8(""), U"");
}

TEST(TextInput, EachMalformedByteBecomesOneReplacementCharacter)
{
    EXPECT_EQ(CodePointsFromUtf8("\x80" "a"), U"\uFFFDa");                          // stray continuation
    EXPECT_EQ(CodePointsFromUtf8("\xE4\xB8"), U"\uFFFD\uFFFD");                      // cut short at the end
    EXPECT_EQ(CodePointsFromUtf8("\xE4\xB8" "A"), U"\uFFFD\uFFFDA");                 // cut short by ASCII
    EXPECT_EQ(CodePointsFromUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");                      // overlong slash
    EXPECT_EQ(CodePointsFromUtf8("\xE0\x80\xAF"), U"\uFFFD\uFFFD\uFFFD");            // overlong, three bytes
    EXPECT_EQ(CodePointsFromUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");            // a surrogate
    EXPECT_EQ(CodePointsFromUtf8("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
    EXPECT_EQ(CodePointsFromUtf8("\xFF"), U"\uFFFD");
}

TEST(TextInput, KeepsEmbeddedNulsAsCharacters)
{
    EXPECT_EQ(CodePointsFromUtf8(std::string_view("a\0b", 3)), std::u32string(U"a\0b", 3));
}
