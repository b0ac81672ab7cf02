#include "PosixTestFolder.h"
#include "installer/hostpage/HostPage.h"
#include "installer/project/Project.h"
#include "installer/run/InstallationRun.h"
#include "platform/posix/PosixSystemServices.h"
#include "toolkit/core/Exceptions.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

struct RecordingView : TInstallationView {
    std::vector<int> positions;
    std::vector<int> pauses;
    std::string finished;
    void ShowProgress(int position) override { positions.push_back(position); }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
    void ShowFinished(const std::string& targetFolder) override { finished = targetFolder; }
};

// The Linux services with a wallpaper service that cannot start.
struct NoWallpaperServices : PosixSystemServices {
    std::unique_ptr<WallpaperService> StartWallpaperService() override { throw Exception("不支持的接口"); }
};

// The Linux services as a shell whose code page holds ASCII alone would see them: every other
// character becomes "?", and a folder may have a short name in ASCII.
struct AsciiShellServices : PosixSystemServices {
    static bool Ascii(unsigned char c) { return c < 0x80; }
    bool ShellTextHolds(const std::string& utf8) override
    {
        return std::all_of(utf8.begin(), utf8.end(), [](char c) { return Ascii(static_cast<unsigned char>(c)); });
    }
    std::string ShellText(const std::string& utf8) override
    {
        std::string text;
        for (char c : utf8) {
            const auto byte = static_cast<unsigned char>(c);
            if (Ascii(byte))
                text += c;
            else if (byte >= 0xC0) // the first byte of a character
                text += '?';
        }
        return text;
    }
    std::string ShortPathName(const std::string& path) override
    {
        auto found = shortNames.find(path);
        return found == shortNames.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> shortNames;
};

class InstallationRunTest : public PosixTestFolder {
protected:
    void SetUp() override
    {
        PosixTestFolder::SetUp();
        documents = home + "/文档";
        WriteFile(home + "/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n");
        fs::create_directories(documents);
        movie.WriteBuffer("FWS\x06movie bytes", 15);
        project.Title = "春天";
        project.ShowLink = true;
        project.Text.Add("链接");
    }

    std::string Common() const { return documents + "/我的 Flash 墙纸"; }

    // Every file below HOME, relative to it.
    std::set<std::string> FilesUnderHome() const
    {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(home))
            if (entry.is_regular_file())
                files.insert(fs::relative(entry.path(), home).string());
        return files;
    }

    void Install(SystemServices& system) { RunInstallation(project, movie, system, view); }

    std::string documents;
    TProject project;
    TMemoryStream movie;
    RecordingView view;
    PosixSystemServices services;
};

} // namespace

TEST(SafeTitle, ReplacesTheNineCharactersAndDotsThatWouldNameAFolderAbove)
{
    EXPECT_EQ(SafeTitle("A/B:C*D?E\"F<G>H|I\\J"), "A_B_C_D_E_F_G_H_I_J");
    EXPECT_EQ(SafeTitle("春天的墙纸"), "春天的墙纸");
    EXPECT_EQ(SafeTitle("."), "_");
    EXPECT_EQ(SafeTitle(".."), "__");
    EXPECT_EQ(SafeTitle("..."), "___");
    EXPECT_EQ(SafeTitle("a..b"), "a..b");
    EXPECT_EQ(SafeTitle(""), "");
}

TEST(InstallationPaths, JoinsWithTheSeparatorGiven)
{
    TInstallationPaths paths = InstallationPaths("C:\\Docs\\", "T", '\\');
    EXPECT_EQ(paths.targetFolder, "C:\\Docs\\我的 Flash 墙纸\\T\\");
    EXPECT_EQ(paths.movieFile, "C:\\Docs\\我的 Flash 墙纸\\T\\flashwallpaper.swf");
    EXPECT_EQ(paths.pageFile, "C:\\Docs\\我的 Flash 墙纸\\T\\T.htm");
    // An empty title: two separators in a row, and a page named ".htm".
    EXPECT_EQ(InstallationPaths("/d/", "", '/').pageFile, "/d/我的 Flash 墙纸//.htm");
}

TEST_F(InstallationRunTest, WritesTheMovieAndThePageAndSetsTheWallpaper)
{
    project.Title = "A/B:C*D?E\"F<G>H|I";
    Install(services);
    const std::string target = Common() + "/A_B_C_D_E_F_G_H_I/";
    EXPECT_EQ(view.positions, (std::vector<int>{1, 2, 6, 8, 9, 10}));
    EXPECT_EQ(view.pauses, (std::vector<int>{300, 300, 300, 300, 300, 50}));
    EXPECT_EQ(view.finished, target);
    EXPECT_EQ(ReadFile(target + "flashwallpaper.swf"), std::string(movie.View()));
    const std::string page = ReadFile(target + "A_B_C_D_E_F_G_H_I.htm");
    EXPECT_EQ(page, BuildHostPage(project, target).Text());
    EXPECT_EQ(page.substr(0, 31), "<HTML><TITLE>A/B:C*D?E\"F<G>H|I<");
    EXPECT_EQ(ReadFile(home + "/.config/merrowin/wallpaper"), target + "A_B_C_D_E_F_G_H_I.htm\n");
    EXPECT_EQ(FilesUnderHome(), (std::set<std::string>{".config/user-dirs.dirs", ".config/merrowin/wallpaper",
                                                       ".config/autostart/merrowin-wallpaper.desktop",
                                                       "文档/我的 Flash 墙纸/A_B_C_D_E_F_G_H_I/flashwallpaper.swf",
                                                       "文档/我的 Flash 墙纸/A_B_C_D_E_F_G_H_I/A_B_C_D_E_F_G_H_I.htm"}));
}

TEST_F(InstallationRunTest, InstallingTwiceOverwritesWithoutAsking)
{
    Install(services);
    movie.Clear();
    movie.WriteBuffer("FWS\x06new", 7);
    project.LinkURL = "http://changed/";
    Install(services);
    EXPECT_EQ(ReadFile(Common() + "/春天/flashwallpaper.swf"), "FWS\x06new");
    EXPECT_NE(ReadFile(Common() + "/春天/春天.htm").find("http://changed/"), std::string::npos);
}

TEST_F(InstallationRunTest, ATitleOfDotsStaysInsideTheCommonFolder)
{
    project.Title = "..";
    Install(services);
    EXPECT_TRUE(fs::exists(Common() + "/__/__.htm"));
    EXPECT_FALSE(fs::exists(documents + "/flashwallpaper.swf"));
}

TEST_F(InstallationRunTest, AFolderThatCannotBeMadeFailsOnTheMovieAtSix)
{
    WriteFile(Common(), "a file where the folder should be");
    try {
        Install(services);
        FAIL();
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(), "无法创建文件 " + Common() + "/春天/flashwallpaper.swf");
    }
    EXPECT_EQ(view.positions.back(), 6);
    EXPECT_TRUE(view.finished.empty());
    EXPECT_FALSE(fs::exists(home + "/.config/merrowin/wallpaper"));
}

TEST_F(InstallationRunTest, APageThatCannotBeWrittenFailsAtEightWithTheMovieInPlace)
{
    fs::create_directories(Common() + "/春天/春天.htm");
    try {
        Install(services);
        FAIL();
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(), "无法创建文件 " + Common() + "/春天/春天.htm");
    }
    EXPECT_EQ(view.positions.back(), 8);
    EXPECT_TRUE(fs::exists(Common() + "/春天/flashwallpaper.swf"));
}

TEST_F(InstallationRunTest, AWallpaperServiceThatCannotStartFailsAtNineWithBothFilesInPlace)
{
    NoWallpaperServices broken;
    try {
        Install(broken);
        FAIL();
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "不支持的接口");
    }
    EXPECT_EQ(view.positions.back(), 9);
    EXPECT_TRUE(fs::exists(Common() + "/春天/flashwallpaper.swf"));
    EXPECT_TRUE(fs::exists(Common() + "/春天/春天.htm"));
}

TEST_F(InstallationRunTest, ACodePageThatLacksTheFolderGetsTheShortNameAndKeepsTheRestOfThePage)
{
    AsciiShellServices ascii;
    const std::string shortFolder = home + "/FLASH~1/8C1E~1";
    ascii.shortNames[Common() + "/春天"] = shortFolder;
    Install(ascii);
    const std::string target = Common() + "/春天/";
    EXPECT_EQ(view.finished, target);
    const std::string page = ReadFile(target + "春天.htm");
    EXPECT_EQ(page, ascii.ShellText(BuildHostPage(project, shortFolder + "/").Text()));
    EXPECT_EQ(page.substr(0, page.find('\r')), "<HTML><TITLE>?" "?</TITLE>");
    EXPECT_NE(page.find("value=\"file:///" + shortFolder + "/flashwallpaper.swf\""), std::string::npos);
    EXPECT_EQ(ReadFile(target + "flashwallpaper.swf"), std::string(movie.View()));
}
