#include "PosixTestFolder.h"
#include "platform/posix/XdgFolders.h"

namespace {

std::optional<std::string> Documents(const std::string& text)
{
    return FindUserFolder(text, "DOCUMENTS", "/home/a");
}

using XdgFoldersTest = PosixTestFolder;

} // namespace

TEST(FindUserFolder, ReadsTheLinesXdgUserDirsWrites)
{
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n"), "/home/a/Documents");
    EXPECT_EQ(Documents("# comment\n  XDG_DOCUMENTS_DIR=\"${HOME}/文档\"\r\n"), "/home/a/文档");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"/srv/docs/\""), "/srv/docs");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=$HOME/My\\ Docs # moved\n"), "/home/a/My Docs");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR='$HOME/x'"), std::nullopt);
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR='/literal/$HOME'"), "/literal/$HOME");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"$HOME/a \\\"b\\\" \\$x\""), "/home/a/a \"b\" $x");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"$HOMEX/y\""), std::nullopt);
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"$HOME\""), "/home/a");
}

TEST(FindUserFolder, TheLastUsableLineWinsAndOthersAreIgnored)
{
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"/one\"\nXDG_DOCUMENTS_DIR=\"/two\"\n"), "/two");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"/one\"\nXDG_DOCUMENTS_DIR=\"relative\"\n"), "/one");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"/one\"\nXDG_DOCUMENTS_DIR=\"/unterminated\n"), "/one");
    EXPECT_EQ(Documents("XDG_DOCUMENTS_DIR=\"\"\n"), std::nullopt);
    EXPECT_EQ(Documents("XDG_DESKTOP_DIR=\"/desk\"\nXDG_DOCUMENTS_DIRX=\"/no\"\n#XDG_DOCUMENTS_DIR=\"/no\""),
              std::nullopt);
    EXPECT_EQ(Documents(std::string("\0\xff\"", 3)), std::nullopt);
}

TEST_F(XdgFoldersTest, BaseFoldersDefaultUnderHomeAndIgnoreRelativeValues)
{
    EXPECT_EQ(HomeFolder(), home);
    EXPECT_EQ(ConfigHome(), home + "/.config");
    EXPECT_EQ(DataHome(), home + "/.local/share");
    EXPECT_EQ(CacheHome(), home + "/.cache");
    ::setenv("XDG_CONFIG_HOME", "/etc/cfg/", 1);
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(ConfigHome(), "/etc/cfg");
    EXPECT_EQ(DataHome(), home + "/.local/share");
}

TEST_F(XdgFoldersTest, UserFoldersFallBackAsXdgUserDirDoes)
{
    EXPECT_EQ(UserFolder("DOCUMENTS"), home);
    EXPECT_EQ(UserFolder("DESKTOP"), home + "/Desktop");
    ::setenv("XDG_DOCUMENTS_DIR", "/from/environment", 1);
    EXPECT_EQ(UserFolder("DOCUMENTS"), "/from/environment");

    WriteFile(home + "/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(UserFolder("DOCUMENTS"), home + "/Dokumente");
    EXPECT_EQ(UserFolder("DESKTOP"), home + "/Desktop");

    ::setenv("XDG_CONFIG_HOME", (root + "/elsewhere").c_str(), 1);
    WriteFile(root + "/elsewhere/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(UserFolder("DESKTOP"), home + "/Schreibtisch");
    EXPECT_EQ(UserFolder("DOCUMENTS"), "/from/environment");
}
