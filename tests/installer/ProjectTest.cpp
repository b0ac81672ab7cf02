#include "ContainerBytes.h"
#include "installer/project/Project.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::string Saved(TProject& project)
{
    project.ProjectStream.Clear();
    project.SaveToStream();
    return std::string(project.ProjectStream.View());
}

void Load(TProject& project, const std::string& text)
{
    Fill(project.ProjectStream, text);
    project.LoadFromStream();
}

std::vector<std::string> Lines(const std::string& text)
{
    return SplitLines(text);
}

// The lines of a record with L licence lines and T link lines, with `edit` applied to line n.
std::string Record(const std::vector<std::string>& licence, const std::vector<std::string>& text)
{
    std::string out = "1\r\nTitle\r\nC:\\movie.swf\r\n1\r\n2\r\nclBlack\r\n0\r\n" + std::to_string(licence.size()) + "\r\n";
    for (const auto& line : licence)
        out += line + "\r\n";
    out += "1\r\n" + std::to_string(text.size()) + "\r\n";
    for (const auto& line : text)
        out += line + "\r\n";
    return out + "http://x/\r\nclBlue\r\nclWhite\r\n0\r\nC:\\setup.exe\r\n0\r\n{ID}\r\n";
}

} // namespace

TEST(TProject, AnEmptyRecordWritesSeventeenLines)
{
    TProject project;
    std::vector<std::string> lines = Lines(Saved(project));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[7], "0");
    EXPECT_EQ(lines[8], "2") << "a false ShowLink is written 2";
    EXPECT_EQ(lines[9], "0");
    EXPECT_EQ(Saved(project).substr(Saved(project).size() - 2), "\r\n");
}

TEST(TProject, CountsComeFromTheListsAndPlaceTheFollowingFields)
{
    TProject project;
    for (const char* line : {"a", "b", "c"})
        project.License.Add(line);
    project.Text.Add("x");
    project.Text.Add("y");
    project.LinkURL = "http://link/";
    project.ProjectID = "{GUID}";
    project.LicenseCount = 99;
    std::vector<std::string> lines = Lines(Saved(project));
    EXPECT_EQ(project.LicenseCount, 3);
    EXPECT_EQ(project.TextCount, 2);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[15], "http://link/");
    EXPECT_EQ(lines[21], "{GUID}");
}

TEST(TProject, ColoursAreWrittenAsNamesOrEightHexDigits)
{
    TProject project;
    project.BackgroundColor = 0x00FF8000;
    project.LinkColor = 0x000000FF;
    project.LayerColor = clBtnFace;
    std::vector<std::string> lines = Lines(Saved(project));
    EXPECT_EQ(lines[5], "$00FF8000");
    EXPECT_EQ(lines[11], "clRed");
    EXPECT_EQ(lines[12], "clBtnFace");
}

TEST(TProject, LoadsEveryFieldFromItsLine)
{
    TProject project;
    Load(project, Record({"l1", "l2", "l3"}, {"t1", "t2"}));
    EXPECT_EQ(project.Title, "Title");
    EXPECT_EQ(project.SourceMovie, "C:\\movie.swf");
    EXPECT_TRUE(project.Loop);
    EXPECT_EQ(project.Quality, 2);
    EXPECT_EQ(project.BackgroundColor, clBlack);
    EXPECT_FALSE(project.Transparent);
    EXPECT_EQ(project.LicenseCount, 3);
    EXPECT_EQ(project.License[2], "l3");
    EXPECT_TRUE(project.ShowLink);
    EXPECT_EQ(project.TextCount, 2);
    EXPECT_EQ(project.Text[1], "t2");
    EXPECT_EQ(project.LinkURL, "http://x/");
    EXPECT_EQ(project.LinkColor, clBlue);
    EXPECT_EQ(project.LayerColor, clWhite);
    EXPECT_FALSE(project.LayerTransparent);
    EXPECT_EQ(project.InstallerFile, "C:\\setup.exe");
    EXPECT_FALSE(project.Reserved);
    EXPECT_EQ(project.ProjectID, "{ID}");
}

TEST(TProject, FlagsAreTrueOnlyForExactlyOne)
{
    for (const char* flag : {"0", "2", " 1", "1 ", "01", "", "true"}) {
        std::string text = Record({}, {});
        text.replace(text.find("\r\n1\r\n0\r\n") + 2, 1, flag); // ShowLink
        TProject project;
        Load(project, text);
        EXPECT_FALSE(project.ShowLink) << '"' << flag << '"';
    }
}

TEST(TProject, ColourLinesAcceptNamesInAnyCaseAndIntegers)
{
    for (const char* colour : {"CLRED", "255", "$FF"}) {
        std::string text = Record({}, {});
        text.replace(text.find("clBlack"), 7, colour);
        TProject project;
        Load(project, text);
        EXPECT_EQ(project.BackgroundColor, clRed) << colour;
    }
}

TEST(TProject, TheFormatLineAndAMissingFinalBreakChangeNothing)
{
    std::string text = Record({"l"}, {});
    TProject withBreak;
    Load(withBreak, text);
    text.replace(0, 1, "anything at all");
    text.resize(text.size() - 2);
    TProject without;
    Load(without, text);
    EXPECT_EQ(without.ProjectID, withBreak.ProjectID);
    EXPECT_EQ(without.License, withBreak.License);
}

TEST(TProject, ZeroOrNegativeCountsReadNoLinesAndShiftTheFields)
{
    // L = -1: ShowLink is read from line 7, TextCount from line 8 ...
    std::string text = "1\r\nT\r\nS\r\n0\r\n0\r\n0\r\n0\r\n-1\r\n0\r\nurl\r\nclRed\r\nclRed\r\n0\r\nI\r\n0\r\nID\r\n";
    TProject project;
    Load(project, text);
    EXPECT_EQ(project.LicenseCount, -1);
    EXPECT_EQ(project.License.Count(), 0);
    EXPECT_FALSE(project.ShowLink);
    EXPECT_EQ(project.TextCount, 0);
    EXPECT_EQ(project.LinkURL, "url");
    EXPECT_EQ(project.ProjectID, "ID");
}

TEST(TProject, TooFewLinesRaiseTheIndexErrorAndKeepWhatWasRead)
{
    std::string text = Record({}, {});
    text = text.substr(0, text.find("{ID}"));
    TProject project;
    try {
        Load(project, text);
        FAIL();
    } catch (const EListError& error) {
        EXPECT_EQ(error.Message(), "索引列表超出范围 (16)");
    }
    EXPECT_EQ(project.InstallerFile, "C:\\setup.exe");

    TProject huge;
    std::string claims = Record({}, {});
    claims.replace(claims.find("\r\n0\r\n1\r\n") + 2, 1, "2147483647"); // LicenseCount
    EXPECT_THROW(Load(huge, claims), EListError);
}

TEST(TProject, NonIntegerLinesRaiseTheConversionErrorQuotingTheLine)
{
    std::string text = Record({}, {});
    text.replace(text.find("\r\n2\r\n") + 2, 1, "高");
    TProject project;
    try {
        Load(project, Utf8ToGbk(text));
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'高' 不是有效整数值");
    }
    EXPECT_TRUE(project.Loop) << "fields before the failing line keep their values";
}

TEST(TProject, LoadsFromTheStreamPosition)
{
    TProject project;
    std::string text = "ignored prefix" + Record({}, {});
    Fill(project.ProjectStream, text);
    project.ProjectStream.SetPosition(14);
    project.LoadFromStream();
    EXPECT_EQ(project.Title, "Title");
}

TEST(TProject, ChineseTextsRoundTripByteForByteInCodePage936)
{
    TProject source;
    source.Title = "我的墙纸 · 春天";
    source.License.Add("许可协议");
    source.License.Add("");
    source.License.Add("第二条：请勿转载。");
    source.Text.Add("访问主页");
    source.LinkURL = "http://例子.cn/";
    source.ProjectID = "{0B6A3F2E-1C4D-4E5F-8A9B-0C1D2E3F4A5B}";
    const std::string bytes = Saved(source);
    EXPECT_NE(bytes.find("\xCE\xD2\xB5\xC4"), std::string::npos) << "我的 in code page 936";

    TProject loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.Title, source.Title);
    EXPECT_EQ(loaded.License, source.License);
    EXPECT_EQ(loaded.Text, source.Text);
    EXPECT_EQ(loaded.LinkURL, source.LinkURL);
    EXPECT_EQ(Saved(loaded), bytes);
}
