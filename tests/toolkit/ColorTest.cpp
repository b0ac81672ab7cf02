#include "toolkit/core/Exceptions.h"
#include "toolkit/graphics/Color.h"

#include <gtest/gtest.h>

#include <set>

TEST(ColorNames, FiftyTwoNamesWithDistinctNamesAndValues)
{
    std::set<std::string_view> names;
    std::set<TColor> values;
    for (const TColorName& entry : ColorNames()) {
        EXPECT_EQ(entry.name.substr(0, 2), "cl");
        names.insert(entry.name);
        values.insert(entry.value);
    }
    EXPECT_EQ(ColorNames().size(), 52u);
    EXPECT_EQ(names.size(), 52u);
    EXPECT_EQ(values.size(), 52u);
}

TEST(ColorToString, NamesWhatHasANameAndWritesEightHexDigitsOtherwise)
{
    EXPECT_EQ(ColorToString(0x0000FF), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x00FF8000), "$00FF8000");
    EXPECT_EQ(ColorToString(SystemColor(25)), "$80000019"); // index 25 has no name
    EXPECT_EQ(ColorToString(0x0A0B0C), "$000A0B0C");
}

TEST(StringToColor, ReadsNamesInAnyCaseAndIntegers)
{
    for (const char* text : {"clRed", "CLRED", "clred", "255", "$FF", "$000000FF"})
        EXPECT_EQ(StringToColor(text), clRed) << text;
    EXPECT_EQ(StringToColor("-2147483633"), clBtnFace);
    EXPECT_EQ(StringToColor("cl3DDkShadow"), SystemColor(21));
    EXPECT_THROW(StringToColor("clBrown"), EConvertError);
    EXPECT_THROW(StringToColor(" clRed"), EConvertError);
}

TEST(StringToColor, EveryNameReadsBackToItsValue)
{
    for (const TColorName& entry : ColorNames())
        EXPECT_EQ(StringToColor(ColorToString(entry.value)), entry.value) << entry.name;
}
