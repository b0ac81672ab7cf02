// What the player decides without a display: which movie a page names, what it may open, when
// it can be seen, and how a second start reaches the first.
#include "player/core/ControlChannel.h"
#include "player/core/Coverage.h"
#include "player/core/WallpaperPage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/merrowin-player-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(path); }
    fs::path path;
};

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The movie lines of a page as the installer writes them on Linux.
std::string Page(const std::string& folder)
{
    return "<HTML><TITLE>春日</TITLE>\r\n<HEAD>\r\n</HEAD>\r\n"
           "<param name=\"movie\" value=\"file:///" + folder + "flashwallpaper.swf\">\r\n"
           "<param name=\"quality\" value=\"low\">\r\n"
           "<embed src=\"file:///" + folder + "flashwallpaper.swf\" pluginspage=\"x\"></embed></object>\r\n</HTML>\r\n";
}

} // namespace

TEST(WallpaperPageTest, TheMovieIsTheOneThePageNamesInAFolderWithSpacesAndChinese)
{
    TempFolder temp;
    const std::string folder = (temp.path / "我的 Flash 墙纸" / "春日").string() + "/";
    Write(folder + "flashwallpaper.swf", "FWS");
    Write(folder + "春日.htm", Page(folder));
    const auto page = ReadWallpaperPage(folder + "春日.htm");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->moviePath, folder + "flashwallpaper.swf");
    EXPECT_EQ(page->movieAddress, "file:///" + folder + "flashwallpaper.swf");
    EXPECT_EQ(page->quality, "low");

    const std::string served = ServedPage(*page, "merrowin://wallpaper/1/movie.swf", "<script>x</script>");
    EXPECT_EQ(served.find("file:"), std::string::npos);
    EXPECT_EQ(served.rfind("<script>x</script><HTML><TITLE>春日</TITLE>", 0), 0u);
    EXPECT_NE(served.find("<embed src=\"merrowin://wallpaper/1/movie.swf\" pluginspage"), std::string::npos);
    EXPECT_NE(served.find("value=\"merrowin://wallpaper/1/movie.swf\">"), std::string::npos);
}

TEST(WallpaperPageTest, AMovedFolderPlaysTheMovieBesideThePage)
{
    TempFolder temp;
    const std::string moved = (temp.path / "moved").string() + "/";
    Write(moved + "flashwallpaper.swf", "FWS");
    Write(moved + "a.htm", Page("/nowhere/any more/"));
    const auto page = ReadWallpaperPage(moved + "a.htm");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->moviePath, moved + "flashwallpaper.swf");

    // An address that names some other file is not served either.
    Write(moved + "b.htm", Page("/etc/passwd#"));
    EXPECT_EQ(ReadWallpaperPage(moved + "b.htm")->moviePath, moved + "flashwallpaper.swf");
}

TEST(WallpaperPageTest, PagesThatNameNoMovieOrCannotBeReadAreRefused)
{
    TempFolder temp;
    Write(temp.path / "empty.htm", "");
    Write(temp.path / "plain.htm", "<HTML>no movie</HTML>");
    Write(temp.path / "open.htm", "<embed src=\"file:///a/b");
    EXPECT_FALSE(ReadWallpaperPage((temp.path / "empty.htm").string()));
    EXPECT_FALSE(ReadWallpaperPage((temp.path / "plain.htm").string()));
    EXPECT_FALSE(ReadWallpaperPage((temp.path / "open.htm").string()));
    EXPECT_FALSE(ReadWallpaperPage((temp.path / "missing.htm").string()));
    EXPECT_FALSE(ReadWallpaperPage(temp.path.string()));
}

TEST(WallpaperPageTest, OnlyWebAddressesGoToTheBrowser)
{
    EXPECT_TRUE(IsBrowserAddress("http://www.merrowin.com/"));
    EXPECT_TRUE(IsBrowserAddress("HTTPS://example.org/a?b=c"));
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "merrowin://wallpaper/ruffle/x",
                                "ftp://x/", "http://", "data:text/html,x", "", "http://a b/", "mailto:a@b"})
        EXPECT_FALSE(IsBrowserAddress(address)) << address;
}

TEST(CoverageTest, AMonitorIsHiddenOnlyWhenNoPixelShows)
{
    const TScreenRect monitor{1024, 0, 1280, 1024};
    EXPECT_TRUE(IsFullyCovered(monitor, {{1024, 0, 1280, 1024}}));
    EXPECT_TRUE(IsFullyCovered(monitor, {{0, -50, 4000, 2000}}));
    EXPECT_TRUE(IsFullyCovered(monitor, {{1024, 0, 640, 1024}, {1664, 0, 640, 1024}}));
    EXPECT_TRUE(IsFullyCovered(monitor, {{1024, 0, 1280, 30}, {1024, 30, 1280, 994}}));
    EXPECT_FALSE(IsFullyCovered(monitor, {{1024, 0, 640, 1024}, {1665, 0, 640, 1024}}));
    EXPECT_FALSE(IsFullyCovered(monitor, {{1024, 0, 1280, 1023}}));
    EXPECT_FALSE(IsFullyCovered(monitor, {{0, 0, 1024, 1024}}));
    EXPECT_FALSE(IsFullyCovered(monitor, {}));
    EXPECT_FALSE(IsFullyCovered(monitor, {{1024, 0, -5, 2000}}));
}

TEST(ControlChannelTest, DisplaysAreKeyedWithoutTheirScreenNumber)
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const std::string savedWayland = wayland ? wayland : "";
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display ? display : "";
    unsetenv("WAYLAND_DISPLAY");
    setenv("DISPLAY", ":7.0", 1);
    EXPECT_EQ(DisplayKey(), "x11-_7");
    setenv("DISPLAY", ":7", 1);
    EXPECT_EQ(DisplayKey(), "x11-_7");
    setenv("DISPLAY", "host/../x:3.1", 1);
    EXPECT_EQ(DisplayKey(), "x11-host____x_3");
    setenv("WAYLAND_DISPLAY", "wayland-1", 1);
    EXPECT_EQ(DisplayKey(), "wayland-wayland-1");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(DisplayKey(), "");
    if (!savedDisplay.empty())
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    if (!savedWayland.empty())
        setenv("WAYLAND_DISPLAY", savedWayland.c_str(), 1);
}

TEST(ControlChannelTest, OnePlayerPerDisplayAndASecondStartReachesIt)
{
    TempFolder temp;
    const std::string socket = (temp.path / "p.socket").string();
    EXPECT_EQ(SendControlCommand(socket, "stop"), std::nullopt);

    auto server = ControlServer::Claim(socket);
    ASSERT_TRUE(server);
    EXPECT_FALSE(ControlServer::Claim(socket));

    std::string received;
    std::thread player([&] {
        pollfd ready{server->ListeningFd(), POLLIN, 0};
        ASSERT_EQ(poll(&ready, 1, 5000), 1);
        int connection = -1;
        const auto line = server->Receive(connection);
        ASSERT_TRUE(line);
        received = *line;
        ControlServer::Answer(connection, "ok");
    });
    EXPECT_EQ(SendControlCommand(socket, "page /a/我的 b.htm"), "ok");
    player.join();
    EXPECT_EQ(received, "page /a/我的 b.htm");

    // A player that ended leaves its socket file behind; the next one takes the display anyway.
    server.reset();
    Write(socket, "");
    EXPECT_TRUE(ControlServer::Claim(socket));
}
