// The player's own small formats: the login entry, the bundle an installer carries, the command
// line, and the installed copy of the player.
#include "player/core/AutostartEntry.h"
#include "player/core/PlayerBundle.h"
#include "player/core/PlayerInstall.h"
#include "player/core/PlayerOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TPlayerBundle SampleBundle()
{
    std::vector<TBundleFile> files{{"merrowin-wallpaper", true, std::string("\x7f" "ELF\0\1", 6)},
                                   {"web/ruffle.js", false, "window.x=1;"},
                                   {"web/a.wasm", false, std::string(1000, 'w')}};
    return {BundleStamp("0.1", files), files};
}

} // namespace

TEST(AutostartEntryTest, PagesWithAnyCharacterComeBackAsWritten)
{
    for (const std::string page :
         {"/home/u/文档/我的 Flash 墙纸/春日/春日.htm", "/p/a\"b`c$d\\e%f'g.htm", "/p/100% sure.htm", "/plain.htm"}) {
        const std::string entry = ComposeAutostartEntry("/home/u/.local/share/merrowin/player/merrowin-wallpaper", page);
        EXPECT_EQ(AutostartPage(entry), page) << entry;
    }
}

TEST(AutostartEntryTest, ExecLineFollowsTheDesktopEntryQuoting)
{
    const std::string entry = ComposeAutostartEntry("/usr/bin/merrowin-wallpaper", "/d/my $page\\x%.htm");
    // Quoted for the space, "$" and "\" escaped inside the quotes, "%" doubled, and the string
    // value's own escape doubling every backslash.
    EXPECT_NE(entry.find("\nExec=/usr/bin/merrowin-wallpaper --autostart \"/d/my \\\\$page\\\\\\\\x%%.htm\"\n"),
              std::string::npos)
        << entry;
    EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
    EXPECT_EQ(QuoteExecArgument("/plain/path.htm"), "/plain/path.htm");
    EXPECT_EQ(QuoteExecArgument(""), "\"\"");
}

TEST(AutostartEntryTest, OtherEntriesNameNoPage)
{
    EXPECT_EQ(AutostartPage("[Desktop Entry]\nExec=other-program /a.htm\n"), std::nullopt);
    EXPECT_EQ(AutostartPage("[Desktop Entry]\nExec=p --autostart \"/unterminated\n"), std::nullopt);
    EXPECT_EQ(AutostartPage("[Desktop Entry]\nName=x\n"), std::nullopt);
    EXPECT_EQ(AutostartPage("Exec=p --autostart /a.htm extra\n"), std::nullopt);
}

TEST(PlayerBundleTest, RoundTripKeepsNamesModesAndBytes)
{
    const TPlayerBundle bundle = SampleBundle();
    const auto read = ReadPlayerBundle(WritePlayerBundle(bundle));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->stamp, bundle.stamp);
    ASSERT_EQ(read->files.size(), 3u);
    EXPECT_EQ(read->files[0].content, bundle.files[0].content);
    EXPECT_TRUE(read->files[0].executable);
    EXPECT_EQ(read->files[2].name, "web/a.wasm");
    EXPECT_FALSE(read->files[2].executable);
}

TEST(PlayerBundleTest, EveryTruncationAndAnyTrailingByteIsRefused)
{
    const std::string bytes = WritePlayerBundle(SampleBundle());
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(ReadPlayerBundle(std::string_view(bytes).substr(0, size))) << size;
    EXPECT_FALSE(ReadPlayerBundle(bytes + "x"));
}

TEST(PlayerBundleTest, NamesThatCouldLeaveTheFolderAreRefused)
{
    for (const std::string name : {"../x", "/abs", ".hidden", "web/.x", "a/b/c", "web/..", "", "a\\b", "web/", "/"}) {
        TPlayerBundle bundle{"0.1 0", {{name, false, "x"}}};
        EXPECT_FALSE(ReadPlayerBundle(WritePlayerBundle(bundle))) << name;
    }
    TPlayerBundle twice{"0.1 0", {{"a", false, "x"}, {"a", false, "y"}}};
    EXPECT_FALSE(ReadPlayerBundle(WritePlayerBundle(twice)));
}

TEST(PlayerBundleTest, SizesLargerThanTheDataAreRefused)
{
    std::string bytes = WritePlayerBundle({"0.1 0", {{"a", false, "xyz"}}});
    bytes[bytes.size() - 7] = '\x7f'; // the content's size, now far past the end
    EXPECT_FALSE(ReadPlayerBundle(bytes));
}

TEST(PlayerBundleTest, NewerVersionsReplaceOlderNever)
{
    EXPECT_TRUE(ShouldReplacePlayer(std::nullopt, "0.1 aa"));
    EXPECT_TRUE(ShouldReplacePlayer("0.1 aa", "0.2 aa"));
    EXPECT_TRUE(ShouldReplacePlayer("0.9 aa", "0.10 aa"));
    EXPECT_FALSE(ShouldReplacePlayer("0.10 aa", "0.9 bb"));
    EXPECT_FALSE(ShouldReplacePlayer("0.1 aa", "0.1 aa"));
    EXPECT_TRUE(ShouldReplacePlayer("0.1 aa", "0.1 bb"));
    EXPECT_TRUE(ShouldReplacePlayer("garbage", "0.1 aa"));
    EXPECT_NE(BundleStamp("0.1", SampleBundle().files), BundleStamp("0.1", {}));
}

TEST(PlayerInstallTest, InstallsWholeAndReplacesWhatWasThere)
{
    char pattern[] = "/tmp/merrowin-player-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path root = pattern;
    const std::string folder = (root / "share" / "player").string();

    TPlayerBundle first = SampleBundle();
    first.files.push_back({"web/old.js", false, "old"});
    ASSERT_TRUE(InstallPlayerBundle(first, folder));
    EXPECT_EQ(InstalledPlayerStamp(folder), first.stamp);
    EXPECT_EQ(Slurp(fs::path(folder) / "web" / "old.js"), "old");
    struct stat info {};
    ASSERT_EQ(stat((fs::path(folder) / "merrowin-wallpaper").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR);

    // A leftover of an install that was cut short is cleared away.
    fs::create_directories(root / "share" / "player.new-abcdef" / "web");
    const TPlayerBundle second = SampleBundle();
    ASSERT_TRUE(InstallPlayerBundle(second, folder));
    EXPECT_FALSE(fs::exists(fs::path(folder) / "web" / "old.js"));
    EXPECT_EQ(Slurp(fs::path(folder) / "web" / "ruffle.js"), "window.x=1;");
    std::vector<std::string> siblings;
    for (const auto& entry : fs::directory_iterator(root / "share"))
        siblings.push_back(entry.path().filename().string());
    EXPECT_EQ(siblings, std::vector<std::string>{"player"});
    fs::remove_all(root);
}

TEST(PlayerOptionsTest, CommandLines)
{
    using Args = std::vector<std::string>;
    const auto mode = [](const Args& args) { return std::get<TPlayerOptions>(ParsePlayerOptions(args)).mode; };
    const auto fails = [](const Args& args) { return std::holds_alternative<std::string>(ParsePlayerOptions(args)); };
    EXPECT_EQ(mode({"a.htm"}), TPlayerMode::Desktop);
    EXPECT_EQ(std::get<TPlayerOptions>(ParsePlayerOptions({"--", "-odd.htm"})).page, "-odd.htm");
    EXPECT_EQ(mode({"--window", "a.htm"}), TPlayerMode::Window);
    EXPECT_EQ(mode({"--autostart", "a.htm"}), TPlayerMode::Autostart);
    EXPECT_EQ(mode({"--stop"}), TPlayerMode::Stop);
    EXPECT_EQ(mode({"--help"}), TPlayerMode::Help);
    EXPECT_EQ(mode({"--version"}), TPlayerMode::Version);
    for (const Args& bad : {Args{}, Args{"--window"}, Args{"a", "b"}, Args{"--stop", "x"}, Args{"--version", "x"}, Args{"--bogus"},
                            Args{"--window", ""}, Args{""}})
        EXPECT_TRUE(fails(bad));
}
