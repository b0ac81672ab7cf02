#include "toolkit/core/HexText.h"

#include <gtest/gtest.h>

namespace {

std::string HexText(uint32_t value, int digits)
{
    std::string text;
    AppendHex(text, value, digits);
    return text;
}

} // namespace

// What "%0<n>X" writes, for the widths the program uses.
TEST(HexText, UpperCaseDigitsWithLeadingZerosToTheGivenWidth)
{
    EXPECT_EQ(HexText(0, 2), "00");
    EXPECT_EQ(HexText(0xA, 2), "0A");
    EXPECT_EQ(HexText(0xBEEF, 4), "BEEF");
    EXPECT_EQ(HexText(0x1F, 8), "0000001F");
    EXPECT_EQ(HexText(0xFFFFFFFFu, 8), "FFFFFFFF");
    EXPECT_EQ(HexText(0x80000001u, 8), "80000001");
    std::string text = "%";
    AppendHex(text, 0xE6, 2);
    AppendHex(text, 0x9, 1);
    EXPECT_EQ(text, "%E69");
}
