#include "wizard/WizardTestSupport.h"

#include "skin/controls/ProgressBar.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/core/Exceptions.h"

using namespace wizardtest;

namespace {

// The Linux services with a wallpaper service that cannot start.
struct NoWallpaperServices : PosixSystemServices {
    std::unique_ptr<WallpaperService> StartWallpaperService() override { throw Exception("不支持的接口"); }
};

TBitmap LoadPng(const std::string& file)
{
    TBitmap picture;
    EXPECT_TRUE(LoadPngFromFile(file, picture)) << file;
    return picture;
}

} // namespace

class WizardRunTest : public WizardTest {
protected:
    int Page() const { return Find<TPageControl>("PageControl")->ActivePageIndex(); }
    int Bar() const { return Find<TsuiProgressBar>("ProgressBar")->Position(); }

    std::vector<std::string> ExpectedFiles(const std::string& title = "春日方块") const
    {
        const std::string folder = "home/Documents/我的 Flash 墙纸/" + title + "/";
        return {"home/.config/autostart/merrowin-wallpaper.desktop", "home/.config/merrowin/wallpaper",
                folder + "flashwallpaper.swf", folder + title + ".htm"};
    }
};

TEST_F(WizardRunTest, InstallsTheMovieAndThePageAndMakesThePageTheWallpaper)
{
    WriteInstaller();
    Run("wait 2000\n", {"1"});
    EXPECT_EQ(FilesWritten(), ExpectedFiles()) << "the temporary skin copy is gone, nothing else was written";
    EXPECT_EQ(ReadFile(TargetFolder() + "flashwallpaper.swf"), Payload().movie);
    const std::string page = ReadFile(TargetFolder() + "春日方块.htm");
    EXPECT_NE(page.find("<HTML><TITLE>春日方块</TITLE>\r\n"), std::string::npos);
    EXPECT_NE(page.find(TargetFolder() + "flashwallpaper.swf"), std::string::npos);
    EXPECT_EQ(ReadFile(home + "/.config/merrowin/wallpaper"), TargetFolder() + "春日方块.htm\n");
    EXPECT_TRUE(host->boxes.empty());
}

TEST_F(WizardRunTest, ADocumentsFolderThatCannotBeWrittenStopsAtSixNamingTheMovie)
{
    WriteInstaller();
    // A file where the common folder belongs: no folder can be made there, whoever runs this.
    WriteFile(documents + "/我的 Flash 墙纸", "in the way");
    Start("", {"1"});
    Check("stopped", [&] {
        EXPECT_EQ(Page(), 2);
        EXPECT_EQ(Bar(), 6);
    });
    Script("wait 2000\nanswer ok\ncheck stopped\nshot " + root + "/stopped.png\n");
    app->Run();
    EXPECT_EQ(checksRun, 1);
    ASSERT_EQ(host->boxes.size(), 1u);
    EXPECT_EQ(host->boxes[0].text, "无法创建文件 " + TargetFolder() + "flashwallpaper.swf.");
    EXPECT_EQ(host->boxes[0].caption, "春日方块 安装程序");
    EXPECT_EQ(host->boxes[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{"home/Documents/我的 Flash 墙纸"}) << "nothing was written";
    ExpectGolden(LoadPng(root + "/stopped.png"), "wizard-stopped-at-six.png");
}

TEST_F(WizardRunTest, AWallpaperServiceThatFailsStopsAtNineWithBothFilesInPlace)
{
    WriteInstaller();
    services = std::make_unique<NoWallpaperServices>();
    SetFileThemeServices(services.get());
    Start("", {"1"});
    Check("stopped", [&] {
        EXPECT_EQ(Page(), 2);
        EXPECT_EQ(Bar(), 9);
    });
    Script("wait 2000\nanswer ok\ncheck stopped\nwait 2000\ncheck stopped\n");
    app->Run();
    EXPECT_EQ(checksRun, 2) << "the run does not start again";
    ASSERT_EQ(host->boxes.size(), 1u);
    EXPECT_EQ(host->boxes[0].text, "不支持的接口.");
    std::vector<std::string> files = ExpectedFiles();
    files.erase(files.begin(), files.begin() + 2); // neither the login entry nor the record
    EXPECT_EQ(FilesWritten(), files);
}

TEST_F(WizardRunTest, StartHoldsTheWholeMovieReadyToBeWrittenFromItsFirstByte)
{
    Payload payload;
    payload.movie = std::string("FWS\x06", 4);
    for (int i = 0; i < 200000; ++i)
        payload.movie += char('a' + i % 7 + i / 5000 % 3);
    WriteInstaller(payload);
    Start("");
    auto* movie = const_cast<TMemoryStream*>(form->MovieStream());  // a stream's position is not const
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->Position(), 0);
    EXPECT_EQ(movie->View(), payload.movie);
    EXPECT_EQ(form->Project()->Title, payload.title);
}

TEST_F(WizardRunTest, ADamagedPayloadShowsTheErrorAndStillOpensTheWindowWithoutATitle)
{
    WriteInstaller();
    std::filesystem::resize_file(installer, std::filesystem::file_size(installer) - 3);
    Start("shot " + root + "/error.png\nanswer ok\n");
    Check("open", [&] {
        EXPECT_EQ(Page(), 0);
        EXPECT_EQ(form->Caption(), " 安装程序");
        EXPECT_EQ(form->Project()->Title, "");
    });
    Script("check open\nshot " + root + "/damaged.png\n");
    app->Run();
    EXPECT_EQ(checksRun, 1);
    ASSERT_EQ(host->boxes.size(), 1u);
    EXPECT_EQ(host->boxes[0].text, "流读取错误.");
    EXPECT_EQ(host->boxes[0].caption, "Didar Ediziveda 安装程序");
    ExpectGolden(LoadPng(root + "/error.png"), "wizard-error-box.png");
    ExpectGolden(LoadPng(root + "/damaged.png"), "wizard-damaged-payload.png");
}

TEST_F(WizardRunTest, AnInstallerWithoutAPayloadRefusesToInstallNothing)
{
    std::ofstream(installer) << "a program and nothing else";
    Start("answer ok\n", {"1"});
    Check("refused", [&] {
        EXPECT_EQ(Page(), 2);
        EXPECT_EQ(Bar(), 0);
    });
    Script("wait 2000\nanswer ok\ncheck refused\n");
    app->Run();
    EXPECT_EQ(checksRun, 1);
    ASSERT_EQ(host->boxes.size(), 2u);
    EXPECT_EQ(host->boxes[1].text, host->boxes[0].text) << "the run reports why the payload did not load";
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{});
}

TEST_F(WizardRunTest, SettingsCutShortWarnOnceAndStillInstallWhatWasRead)
{
    Payload payload;
    payload.license.clear();
    payload.droppedLines = 1; // the settings end before the project's identifier, line 16
    WriteInstaller(payload);
    Start("answer ok\n", {"1"});
    Check("installed", [&] {
        EXPECT_EQ(Page(), 3);
        EXPECT_EQ(form->Caption(), "春日方块 安装程序");
    });
    Script("wait 2000\ncheck installed\n");
    app->Run();
    EXPECT_EQ(checksRun, 1);
    ASSERT_EQ(host->boxes.size(), 1u) << "the run does not raise the start-up error again";
    EXPECT_EQ(host->boxes[0].text, "索引列表超出范围 (16)");
    EXPECT_EQ(FilesWritten(), ExpectedFiles());
    EXPECT_EQ(ReadFile(TargetFolder() + "flashwallpaper.swf"), payload.movie);
}

TEST_F(WizardRunTest, AMovieThatCannotBeReadIsNeverInstalled)
{
    // A container whose movie entry is damaged: nothing after it was read either.
    WriteInstaller();
    std::string bytes = ReadFile(installer);
    const size_t movieStart = std::string("a program").size();
    bytes[movieStart] = static_cast<char>(bytes[movieStart] ^ 0xFF); // its zlib header
    WriteFile(installer, bytes);
    Start("answer ok\n", {"1"});
    Script("wait 2000\nanswer ok\n");
    app->Run();
    ASSERT_EQ(host->boxes.size(), 2u);
    EXPECT_EQ(host->boxes[1].text, host->boxes[0].text);
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{});
}

TEST_F(WizardRunTest, AMissingInstallerFileNamesIt)
{
    installer = root + "/gone";
    Start("answer ok\n");
    app->Run();
    ASSERT_EQ(host->boxes.size(), 1u);
    EXPECT_EQ(host->boxes[0].text, "无法打开文件 " + installer + ".");
}
