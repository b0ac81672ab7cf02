#include "toolkit/core/Exceptions.h"
#include "toolkit/core/IntegerText.h"

#include <gtest/gtest.h>

TEST(StrToInt, DecimalCoversExactlyTheSigned32BitRange)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-17"), -17);
    EXPECT_EQ(StrToInt("+17"), 17);
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("000000000000012"), 12);
    EXPECT_FALSE(TryStrToInt("2147483648"));
    EXPECT_FALSE(TryStrToInt("-2147483649"));
    EXPECT_FALSE(TryStrToInt("99999999999999999999"));
}

TEST(StrToInt, DollarHexadecimalCoversAll32Bits)
{
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_FALSE(TryStrToInt("$100000000"));
}

TEST(StrToInt, AnythingElseRaisesTheConversionError)
{
    for (const char* text : {"", "-", "$", " 1", "1 ", "0x10", "1.5", "12a", "$G"}) {
        EXPECT_FALSE(TryStrToInt(text)) << text;
        try {
            StrToInt(text);
            FAIL() << text;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), std::string("'") + text + "' 不是有效整数值");
        }
    }
}
