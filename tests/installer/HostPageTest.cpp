#include "installer/hostpage/HostPage.h"
#include "installer/project/Project.h"

#include <gtest/gtest.h>

namespace {

const std::string kFolder = "C:\\Documents and Settings\\u\\My Documents\\我的 Flash 墙纸\\Spring\\";

std::vector<std::string> Page(const TProject& project)
{
    return SplitLines(BuildHostPage(project, kFolder).Text());
}

TProject FullProject()
{
    TProject project;
    project.Title = "A <b> & C";
    project.Quality = 2;
    project.Loop = true;
    project.Transparent = false;
    project.BackgroundColor = 0x00FF8000;
    project.ShowLink = true;
    project.Text.Add("A");
    project.Text.Add("B");
    project.LinkURL = "http://site/?a=1&b=2";
    project.LinkColor = clBtnFace;
    project.LayerColor = clRed;
    project.LayerTransparent = false;
    return project;
}

} // namespace

TEST(ColorToHex, WritesRedGreenBlueIgnoringTheHighByte)
{
    EXPECT_EQ(ColorToHex(clBlack), "000000");
    EXPECT_EQ(ColorToHex(clWhite), "FFFFFF");
    EXPECT_EQ(ColorToHex(clRed), "FF0000");
    EXPECT_EQ(ColorToHex(clBlue), "0000FF");
    EXPECT_EQ(ColorToHex(0x00FF8000), "0080FF");
    EXPECT_EQ(ColorToHex(clBtnFace), "0F0000");
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanningReplacements)
{
    EXPECT_EQ(ReplaceAll("a\r\nb\r\n", "\r\n", "<br>"), "a<br>b<br>");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("Abc", "a", "x"), "Abc");
}

TEST(HostPage, TheFullPageHasThirtyLinesInOrder)
{
    const std::string url = "file:///" + kFolder + "flashwallpaper.swf";
    std::vector<std::string> expected = {
        "<HTML><TITLE>A <b> & C</TITLE>",
        "<HEAD>",
        "<style type=\"text/css\">",
        "<!--",
        ".Layer {",
        "position: absolute;",
        "visibility: visible;",
        "z-index: 1;",
        "right: 10px;",
        "bottom: 10px;",
        "padding: 5px;",
        "background-color: #FF0000;",
        "overflow: visible;",
        "font-family: \"Tahoma\", \"Arial\", \"Helvetica\", \"sans-serif\";",
        "font-size: 11px;",
        "font-weight: bold;",
        "}",
        "-->",
        "</style>",
        "</HEAD>",
        "<body bgcolor=\"#0080FF\" leftmargin=\"0\" topmargin=\"0\" marginwidth=\"0\" marginheight=\"0\">",
        "<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"http://download.merrowin.com"
        "/pub/shockwave/cabs/flash/swflash.cab#version=6,0,29,0\" width=\"100%\" height=\"100%\">",
        "<param name=\"movie\" value=\"" + url + "\">",
        "<param name=\"quality\" value=\"high\">",
        "<param name=\"wmode\" value=\"opaque\">",
        "<param name=\"loop\" value=\"true\">",
        "<embed src=\"" + url + "\" pluginspage=\"http://www.merrowin.com/go/getflashplayer\" "
                                "type=\"application/x-shockwave-flash\" width=\"100%\" height=\"100%\"></embed></object>",
        "<span class=\"Layer\"><a href=\"http://site/?a=1&b=2\" target=\"_blank\"><font color=\"#0F0000\">A<br>B<br>"
        "</font></a></span>",
        "</body>",
        "</HTML>",
    };
    EXPECT_EQ(Page(FullProject()), expected);
    EXPECT_EQ(BuildHostPage(FullProject(), kFolder).Text().substr(0, 15), "<HTML><TITLE>A ");
}

TEST(HostPage, QualityZeroOneTwoOrNoLine)
{
    const char* expected[] = {"low", "medium", "high"};
    for (int quality = 0; quality < 3; ++quality) {
        TProject project = FullProject();
        project.Quality = quality;
        EXPECT_EQ(Page(project)[23], std::string("<param name=\"quality\" value=\"") + expected[quality] + "\">");
    }
    for (int quality : {3, -1}) {
        TProject project = FullProject();
        project.Quality = quality;
        std::vector<std::string> page = Page(project);
        EXPECT_EQ(page.size(), 29u);
        EXPECT_EQ(page[23], "<param name=\"wmode\" value=\"opaque\">");
    }
}

TEST(HostPage, TransparentLayerAndNoLinkGiveTheShortestPage)
{
    TProject project = FullProject();
    project.LayerTransparent = true;
    project.ShowLink = false;
    project.Transparent = true;
    project.Loop = false;
    std::vector<std::string> page = Page(project);
    ASSERT_EQ(page.size(), 28u);
    EXPECT_EQ(page[11], "overflow: visible;");
    EXPECT_EQ(page[23], "<param name=\"wmode\" value=\"transparent\">");
    EXPECT_EQ(page[24], "<param name=\"loop\" value=\"false\">");
    EXPECT_EQ(page[26], "</body>");
    project.Quality = 7;
    EXPECT_EQ(Page(project).size(), 27u);
}

TEST(HostPage, AnEmptyLinkTextGivesAnEmptyLink)
{
    TProject project = FullProject();
    project.Text.Clear();
    EXPECT_EQ(Page(project)[27], "<span class=\"Layer\"><a href=\"http://site/?a=1&b=2\" target=\"_blank\"><font "
                                  "color=\"#0F0000\"></font></a></span>");
}
