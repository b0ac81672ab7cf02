#include "toolkit/core/Exceptions.h"
#include "toolkit/core/StringList.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(SplitLines, EveryKindOfBreakEndsALine)
{
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"})); // LF CR is two breaks
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
}

TEST(SplitLines, TheLastBreakAddsNoLineAndNulEndsTheText)
{
    EXPECT_EQ(SplitLines("a\r\nb"), SplitLines("a\r\nb\r\n"));
    EXPECT_EQ(SplitLines("a\r"), (Lines{"a"}));
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines(std::string_view("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines(std::string_view("\0a", 2)), Lines{});
}

TEST(TStringList, TextFollowsEveryLineWithCrLf)
{
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.SetText("one\ntwo");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
    list.Add("");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n\r\n");
}

TEST(TStringList, IndexOutsideTheListRaisesTheListError)
{
    TStringList list;
    list.Add("only");
    EXPECT_EQ(list[0], "only");
    for (int index : {1, -1}) {
        try {
            (void)list[index];
            FAIL() << index;
        } catch (const EListError& error) {
            EXPECT_STREQ(error.what(), ("索引列表超出范围 (" + std::to_string(index) + ")").c_str());
        }
    }
}

TEST(TStringList, LoadsFromTheStreamPositionToItsEnd)
{
    TMemoryStream stream;
    stream.WriteBuffer("skip\r\nx\r\ny", 11);
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], "y");
}
