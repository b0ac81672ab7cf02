// The Linux stand-in of the wallpaper service puts the player in place and starts it.
#include "PosixTestFolder.h"
#include "platform/WallpaperPlayerSource.h"
#include "platform/posix/PosixWallpaper.h"
#include "player/core/AutostartEntry.h"
#include "player/core/PlayerBundle.h"
#include "player/core/PlayerInstall.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Started {
    std::string player;
    std::vector<std::string> arguments;
};

class FakeLauncher final : public PlayerLauncher {
public:
    FakeLauncher(bool runs, std::vector<Started>& started) : runs_(runs), started_(started) {}
    bool CanRun(const std::string&) override { return runs_; }
    bool StartDetached(const std::string& player, const std::vector<std::string>& arguments) override
    {
        started_.push_back({player, arguments});
        return true;
    }

private:
    bool runs_;
    std::vector<Started>& started_;
};

TPlayerBundle Bundle(const std::string& version, const std::string& program)
{
    std::vector<TBundleFile> files{{"merrowin-wallpaper", true, program}, {"web/ruffle.js", false, "x"}};
    return {BundleStamp(version, files), files};
}

class PosixWallpaperTest : public PosixTestFolder {
protected:
    void TearDown() override
    {
        SetWallpaperPlayerSource(nullptr);
        PosixTestFolder::TearDown();
    }

    // Applies `page` as the installation run does; the launcher runs the player when `runs`.
    int32_t Apply(const std::string& page, bool runs = true)
    {
        PosixWallpaper wallpaper(home + "/.config/merrowin/wallpaper", std::make_unique<FakeLauncher>(runs, started));
        EXPECT_EQ(wallpaper.SetWallpaper(page), 0);
        return wallpaper.ApplyChanges(15);
    }

    void Carry(const TPlayerBundle& bundle)
    {
        const std::string bytes = WritePlayerBundle(bundle);
        SetWallpaperPlayerSource([bytes] { return bytes; });
    }

    std::string UserPlayer() const { return home + "/.local/share/merrowin/player/merrowin-wallpaper"; }
    std::string Entry() const { return home + "/.config/autostart/merrowin-wallpaper.desktop"; }

    std::vector<Started> started;
};

} // namespace

TEST_F(PosixWallpaperTest, TheCarriedPlayerIsInstalledRegisteredAndStartedWithThePage)
{
    setenv("DISPLAY", ":5", 1);
    Carry(Bundle("0.1", "program one"));
    const std::string page = home + "/文档/我的 Flash 墙纸/春日/春日.htm";
    EXPECT_EQ(Apply(page), 0);
    EXPECT_EQ(ReadFile(home + "/.config/merrowin/wallpaper"), page + "\n");
    EXPECT_EQ(ReadFile(UserPlayer()), "program one");
    EXPECT_EQ(AutostartPage(ReadFile(Entry())), page);
    EXPECT_NE(ReadFile(Entry()).find("Exec=" + UserPlayer() + " --autostart"), std::string::npos);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].player, UserPlayer());
    EXPECT_EQ(started[0].arguments, std::vector<std::string>{page});
}

TEST_F(PosixWallpaperTest, AnOlderInstallerNeverDowngradesThePlayer)
{
    Carry(Bundle("0.2", "newer"));
    EXPECT_EQ(Apply(home + "/a.htm"), 0);
    Carry(Bundle("0.1", "older"));
    EXPECT_EQ(Apply(home + "/b.htm"), 0);
    EXPECT_EQ(ReadFile(UserPlayer()), "newer");
    Carry(Bundle("0.3", "newest"));
    EXPECT_EQ(Apply(home + "/c.htm"), 0);
    EXPECT_EQ(ReadFile(UserPlayer()), "newest");
    EXPECT_EQ(AutostartPage(ReadFile(Entry())), home + "/c.htm");
}

TEST_F(PosixWallpaperTest, WithoutADisplayNothingStartsButTheEntryIsWritten)
{
    Carry(Bundle("0.1", "p"));
    EXPECT_EQ(Apply(home + "/a.htm"), 0);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(AutostartPage(ReadFile(Entry())), home + "/a.htm");
}

TEST_F(PosixWallpaperTest, APlayerThatCannotRunIsNotStarted)
{
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    Carry(Bundle("0.1", "p"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Apply(home + "/a.htm", false), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("needs WebKitGTK 4.1"), std::string::npos);
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(fs::exists(home + "/.config/merrowin/wallpaper"));
}

TEST_F(PosixWallpaperTest, ADamagedBundleInstallsNothingAndTheRecordStays)
{
    setenv("DISPLAY", ":5", 1);
    SetWallpaperPlayerSource([] { return std::string("MWPLAYER\x01\0\0\0garbage", 19); });
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Apply(home + "/a.htm"), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("PATH", path.c_str(), 1);
    EXPECT_NE(said.find("damaged"), std::string::npos) << said;
    EXPECT_NE(said.find("no wallpaper player"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(UserPlayer()));
    EXPECT_TRUE(started.empty());
    // The entry names the program, so that one installed later plays from the next login on.
    EXPECT_NE(ReadFile(Entry()).find("Exec=merrowin-wallpaper --autostart"), std::string::npos);
}
