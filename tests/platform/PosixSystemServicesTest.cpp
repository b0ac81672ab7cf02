#include "PosixTestFolder.h"
#include "installer/system/SystemInfo.h"
#include "platform/posix/PosixSystemServices.h"

#include <algorithm>
#include <filesystem>

namespace {

const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kMachineVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

class PosixSystemServicesTest : public PosixTestFolder {
protected:
    std::string Config() const { return home + "/.config"; }
    std::string ReadUser(const std::string& name)
    {
        auto key = system.OpenKey(TRegistryRoot::CurrentUser, kShellFolders, false);
        auto value = key ? key->ReadValue(name) : std::nullopt;
        return value ? value->bytes : "<missing>";
    }

    PosixSystemServices system;
};

} // namespace

TEST_F(PosixSystemServicesTest, PersonalIsTheDocumentsFolderWithAFinalSlash)
{
    WriteFile(Config() + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/桌面\"\nXDG_DOCUMENTS_DIR=\"$HOME/文档\"\n");
    TSystemInfo info(system);
    EXPECT_EQ(info.GetSystemPath(4), home + "/文档/");
    EXPECT_EQ(info.GetSystemPath(0), home + "/桌面/");
    // Reading the folders writes nothing: no store file appears.
    EXPECT_FALSE(std::filesystem::exists(Config() + "/merrowin/registry"));
}

TEST_F(PosixSystemServicesTest, TheOtherKindsHaveTheirDocumentedLinuxFolders)
{
    ::setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    ::setenv("TMPDIR", "/var/tmp", 1);
    TSystemInfo info(system);
    EXPECT_EQ(info.GetSystemPath(1), "");
    EXPECT_EQ(info.GetSystemPath(5), Config() + "/");
    EXPECT_EQ(info.GetSystemPath(6), home + "/.local/share/fonts/");
    EXPECT_EQ(info.GetSystemPath(10), root + "/cache/");
    EXPECT_EQ(info.GetSystemPath(15), home + "/");
    EXPECT_EQ(info.GetSystemPath(16), home + "/.local/share/");
    EXPECT_EQ(info.GetSystemPath(17), Config() + "/merrowin/");
    EXPECT_EQ(info.GetSystemPath(18), "/usr/lib/");
    EXPECT_EQ(info.GetSystemPath(19), "/var/tmp/");
    EXPECT_EQ(info.GetSystemPath(20), "/");
    EXPECT_EQ(info.GetSystemPath(21), "/opt/");
    EXPECT_EQ(info.GetSystemPath(26), "/usr/share/backgrounds/");
    EXPECT_EQ(info.GetSystemPath(27), "");
    EXPECT_TRUE(std::filesystem::is_directory(Config() + "/merrowin"));
}

TEST_F(PosixSystemServicesTest, WrittenValuesPersistAndHideTheView)
{
    {
        auto key = system.OpenKey(TRegistryRoot::CurrentUser, "Software\\Merrowin\\Test", true);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->WriteString("Greeting", "你好"));
        EXPECT_TRUE(key->WriteInteger("Count", -1));
    }
    auto key = PosixSystemServices().OpenKey(TRegistryRoot::CurrentUser, "\\software\\merrowin\\TEST\\", false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("greeting")->bytes, "你好");
    EXPECT_EQ(key->ReadValue("Count")->bytes, std::string(4, '\xff'));
    EXPECT_EQ(key->ReadValue("Count")->type, TRegistryDataType::Integer);
    EXPECT_NE(system.OpenKey(TRegistryRoot::CurrentUser, "Software\\Merrowin", false), nullptr);
    EXPECT_EQ(system.OpenKey(TRegistryRoot::LocalMachine, "Software\\Merrowin", false), nullptr);
    EXPECT_EQ(system.OpenKey(TRegistryRoot::CurrentUser, "Software\\Other", false), nullptr);
    EXPECT_EQ(system.OpenKey(TRegistryRoot::CurrentUser, "Bad\nName", true), nullptr);

    EXPECT_EQ(ReadUser("Personal"), home);
    EXPECT_EQ(ReadUser("Start Menu"), "<missing>");
    auto folders = system.OpenKey(TRegistryRoot::CurrentUser, kShellFolders, false);
    EXPECT_TRUE(folders->WriteString("Personal", "/srv/mine"));
    EXPECT_EQ(ReadUser("Personal"), "/srv/mine");
    EXPECT_TRUE(folders->DeleteValue("Personal"));
    EXPECT_FALSE(folders->DeleteValue("Personal"));
    EXPECT_EQ(ReadUser("Personal"), home);

    auto files = std::distance(std::filesystem::directory_iterator(Config() + "/merrowin"),
                               std::filesystem::directory_iterator());
    EXPECT_EQ(files, 1) << "a temporary file was left behind";
}

TEST_F(PosixSystemServicesTest, AnUnreadableStoreIsNeverOverwritten)
{
    std::filesystem::create_directories(Config() + "/merrowin/registry");
    EXPECT_EQ(system.OpenKey(TRegistryRoot::CurrentUser, "Software\\New", true), nullptr);
    auto folders = system.OpenKey(TRegistryRoot::CurrentUser, kShellFolders, true);
    ASSERT_NE(folders, nullptr);
    EXPECT_FALSE(folders->WriteString("Personal", "/x"));
    EXPECT_EQ(ReadUser("Personal"), home);
    EXPECT_TRUE(std::filesystem::is_directory(Config() + "/merrowin/registry"));
}

TEST_F(PosixSystemServicesTest, TheMachineKeyAndTheKeysAboveTheViewsAlwaysExist)
{
    for (const char* path : {"", "SOFTWARE", "Software\\Microsoft\\Windows", kMachineVersion.c_str()})
        EXPECT_NE(system.OpenKey(TRegistryRoot::LocalMachine, path, false), nullptr) << path;
    auto key = system.OpenKey(TRegistryRoot::LocalMachine, kMachineVersion, false);
    EXPECT_EQ(key->ReadValue("programfilesdir")->bytes, "/opt");
    EXPECT_FALSE(key->ReadValue("Personal"));
    EXPECT_NE(system.OpenKey(TRegistryRoot::CurrentUser, "Software\\Microsoft", false), nullptr);
}

TEST_F(PosixSystemServicesTest, TheScreenSaverGoesToTheInitialisationFileInTheSettingsFolder)
{
    std::string saver = home + "/saver.scr";
    WriteFile(saver, "x");
    TSystemInfo info(system);
    info.SetDefaultScreensaver(saver);
    EXPECT_EQ(ReadFile(Config() + "/merrowin/system.ini"), "[boot]\r\nSCRNSAVE.EXE=" + saver + "\r\n");
    info.SetDefaultScreensaver(home + "/missing.scr");
    EXPECT_EQ(ReadFile(Config() + "/merrowin/system.ini"), "[boot]\r\nSCRNSAVE.EXE=\r\n");
}

TEST_F(PosixSystemServicesTest, TheWallpaperIsRecordedWhenChangesAreSaved)
{
    auto wallpaper = system.StartWallpaperService();
    std::string record = Config() + "/merrowin/wallpaper";
    EXPECT_EQ(wallpaper->SetWallpaper(""), static_cast<int32_t>(0x80070057));
    EXPECT_EQ(wallpaper->SetWallpaper(home + "/墙纸/a.htm"), 0);
    EXPECT_EQ(wallpaper->ApplyChanges(4), 0);
    EXPECT_FALSE(std::filesystem::exists(record));
    EXPECT_EQ(wallpaper->ApplyChanges(15), 0);
    EXPECT_EQ(ReadFile(record), home + "/墙纸/a.htm\n");
}

TEST_F(PosixSystemServicesTest, FilesAndFolders)
{
    std::string folder = home + "/我的 Flash 墙纸";
    EXPECT_FALSE(system.FolderExists(folder));
    EXPECT_TRUE(system.MakeFolder(folder));
    EXPECT_FALSE(system.MakeFolder(folder));
    EXPECT_TRUE(system.FolderExists(folder));
    EXPECT_FALSE(system.FileExists(folder));
    WriteFile(folder + "/a.txt", "a");
    EXPECT_TRUE(system.FileExists(folder + "/a.txt"));
    EXPECT_EQ(system.ShortPathName(folder + "/a.txt"), folder + "/a.txt");
    EXPECT_EQ(system.ShortPathName(folder + "/b.txt"), "");
    EXPECT_TRUE(system.RemoveFile(folder + "/a.txt"));
    EXPECT_FALSE(system.RemoveFile(folder + "/a.txt"));
    EXPECT_FALSE(system.RemoveFile(folder));
    EXPECT_EQ(system.TempPath(), "/tmp/");
}

TEST_F(PosixSystemServicesTest, FindAllDoesNotFollowLinksToFolders)
{
    std::string top = home + "/top";
    WriteFile(top + "/sub/b.txt", "b");
    WriteFile(top + "/a.txt", "a");
    std::filesystem::create_directory_symlink(top, top + "/sub/loop");
    TSystemInfo info(system);
    TStringList list;
    info.FindAll(top, list);
    std::vector<std::string> found = SplitLines(list.Text());
    std::sort(found.begin(), found.end());
    std::string upper = top;
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    EXPECT_EQ(found, (std::vector<std::string>{upper + "/A.TXT", upper + "/SUB/B.TXT", upper + "/SUB/LOOP"}));
}

TEST_F(PosixSystemServicesTest, GuidsAreRandomVersionFour)
{
    std::string a = system.NewGuid();
    ASSERT_EQ(a.size(), 38u);
    EXPECT_EQ(a[15], '4');
    EXPECT_NE(a, system.NewGuid());
    EXPECT_TRUE(std::filesystem::exists(system.ExecutablePath()));
}
