#include "installer/system/SystemInfo.h"
#include "toolkit/FakeSystemServices.h"
#include "toolkit/core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TRegistryRoot HKCU = TRegistryRoot::CurrentUser;
const TRegistryRoot HKLM = TRegistryRoot::LocalMachine;
const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kMachineVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

const std::vector<std::string> kUserNames = {
    "Desktop",  "Start Menu", "Programs", "Startup", "Personal", "AppData",  "Fonts",     "SendTo",        "Recent",
    "Favorites", "Cache",     "Cookies",  "History", "NetHood",  "PrintHood", "Templates", "Local AppData",
};
const std::vector<std::string> kMachineNames = {"ProgramFilesDir", "CommonFilesDir", "ConfigPath",
                                                "DevicePath",      "MediaPath",      "WallPaperDir"};

class SystemInfoTest : public ::testing::Test {
protected:
    void SetUserValue(const std::string& name, const std::string& value)
    {
        system.SetValue(HKCU, kShellFolders, name, TRegistryDataType::String, value);
    }

    FakeSystemServices system;
    TSystemInfo info{system};
};

} // namespace

TEST_F(SystemInfoTest, KindsZeroToSixteenReadTheUserShellFolders)
{
    for (size_t kind = 0; kind < kUserNames.size(); ++kind)
        SetUserValue(kUserNames[kind], "C:\\User" + std::to_string(kind));
    // The machine key holds the same names, and must not be consulted for these kinds.
    for (const std::string& name : kUserNames)
        system.SetValue(HKLM, kMachineVersion, name, TRegistryDataType::String, "C:\\Wrong");
    for (size_t kind = 0; kind < kUserNames.size(); ++kind)
        EXPECT_EQ(info.GetSystemPath(static_cast<uint8_t>(kind)), "C:\\User" + std::to_string(kind) + "\\")
            << kUserNames[kind];
}

TEST_F(SystemInfoTest, KindsTwentyOneToTwentySixReadTheMachineVersionKey)
{
    for (size_t i = 0; i < kMachineNames.size(); ++i) {
        system.SetValue(HKLM, kMachineVersion, kMachineNames[i], TRegistryDataType::String,
                        "C:\\Machine" + std::to_string(21 + i));
        SetUserValue(kMachineNames[i], "C:\\Wrong");
    }
    for (size_t i = 0; i < kMachineNames.size(); ++i)
        EXPECT_EQ(info.GetSystemPath(static_cast<uint8_t>(21 + i)), "C:\\Machine" + std::to_string(21 + i) + "\\")
            << kMachineNames[i];
}

TEST_F(SystemInfoTest, KindsSeventeenToTwentyAskTheSystem)
{
    system.windowsDirectory = "C:\\WINNT";
    system.systemDirectory = "D:\\WINNT\\system32";
    system.tempPath = "C:\\DOCUME~1\\A\\LOCALS~1\\Temp\\";
    EXPECT_EQ(info.GetSystemPath(17), "C:\\WINNT\\");
    EXPECT_EQ(info.GetSystemPath(18), "D:\\WINNT\\system32\\");
    EXPECT_EQ(info.GetSystemPath(19), "C:\\DOCUME~1\\A\\LOCALS~1\\Temp\\");
    EXPECT_EQ(info.GetSystemPath(20), "D:\\");
    // Exactly two characters, whatever they are.
    system.systemDirectory = "\\\\server\\share";
    EXPECT_EQ(info.GetSystemPath(20), "\\\\");
    system.systemDirectory = "XYZ";
    EXPECT_EQ(info.GetSystemPath(20), "XY\\");
}

TEST_F(SystemInfoTest, KindsAboveTwentySixAreEmpty)
{
    SetUserValue("Personal", "C:\\Docs");
    EXPECT_EQ(info.GetSystemPath(27), "");
    EXPECT_EQ(info.GetSystemPath(255), "");
}

TEST_F(SystemInfoTest, EveryKindOpensTheUserKeyThenTheMachineKeyAndClosesBoth)
{
    for (int kind : {4, 17, 21, 27}) {
        system.openLog.clear();
        info.GetSystemPath(static_cast<uint8_t>(kind));
        EXPECT_EQ(system.openLog, (std::vector<std::string>{"HKCU|" + kShellFolders + "|create",
                                                            "HKLM|" + kMachineVersion + "|create"}))
            << kind;
        EXPECT_EQ(system.openKeys, 0);
    }
}

TEST_F(SystemInfoTest, TheSeparatorIsAddedOnlyWhenMissing)
{
    SetUserValue("Personal", "C:\\Users\\A\\Documents");
    EXPECT_EQ(info.GetSystemPath(4), "C:\\Users\\A\\Documents\\");
    SetUserValue("Personal", "C:\\Data\\");
    EXPECT_EQ(info.GetSystemPath(4), "C:\\Data\\");
    SetUserValue("Personal", "C:\\Data/");
    EXPECT_EQ(info.GetSystemPath(4), "C:\\Data/\\");
}

TEST_F(SystemInfoTest, AnEmptyOrMissingFolderGetsNoSeparator)
{
    EXPECT_EQ(info.GetSystemPath(4), "");
    SetUserValue("Personal", "");
    EXPECT_EQ(info.GetSystemPath(4), "");
    system.windowsDirectory = "";
    EXPECT_EQ(info.GetSystemPath(17), "");
}

TEST_F(SystemInfoTest, KeysThatCannotBeOpenedReadAsEmpty)
{
    SetUserValue("Personal", "C:\\Docs");
    system.refuseKeys = true;
    EXPECT_EQ(info.GetSystemPath(4), "");
    EXPECT_EQ(info.GetSystemPath(21), "");
    EXPECT_EQ(info.GetSystemPath(17), "C:\\WINDOWS\\");
}

TEST_F(SystemInfoTest, ValuesAreTakenUpToTheFirstNulAndNotExpanded)
{
    system.SetValue(HKCU, kShellFolders, "Personal", TRegistryDataType::ExpandString,
                    std::string("%USERPROFILE%\\My Documents\0junk", 32));
    EXPECT_EQ(info.GetSystemPath(4), "%USERPROFILE%\\My Documents\\");
}

TEST_F(SystemInfoTest, ANonStringValueRaisesAndStillClosesTheKey)
{
    system.SetValue(HKCU, kShellFolders, "Personal", TRegistryDataType::Integer, std::string(4, '\0'));
    try {
        info.GetSystemPath(4);
        FAIL() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "无效的数据类型 'Personal'");
    }
    EXPECT_EQ(system.openKeys, 0);

    system.SetValue(HKLM, kMachineVersion, "WallPaperDir", TRegistryDataType::Binary, "\x01");
    EXPECT_THROW(info.GetSystemPath(26), ERegistryException);
    EXPECT_EQ(system.openKeys, 0);
}

TEST_F(SystemInfoTest, OnLinuxTheSeparatorIsASlashAndTheDriveIsTheRoot)
{
    system.separator = '/';
    system.systemDirectory = "/usr/lib";
    SetUserValue("Personal", "/home/a/Documents");
    EXPECT_EQ(info.GetSystemPath(4), "/home/a/Documents/");
    SetUserValue("Personal", "/");
    EXPECT_EQ(info.GetSystemPath(4), "/");
    EXPECT_EQ(info.GetSystemPath(20), "/");
    EXPECT_EQ(info.GetSystemPath(18), "/usr/lib/");
    system.windowsDirectory = "/home/a/.config/merrowin";
    EXPECT_EQ(info.GetWindowsPath(), "/home/a/.config/merrowin/");
}

TEST_F(SystemInfoTest, TheWindowsPathAlwaysGetsOneMoreSeparator)
{
    EXPECT_EQ(info.GetWindowsPath(), "C:\\WINDOWS\\");
    system.windowsDirectory = "C:\\";
    EXPECT_EQ(info.GetWindowsPath(), "C:\\\\");
}

TEST_F(SystemInfoTest, TempAndShellFoldersAreReturnedAsTheSystemGivesThem)
{
    EXPECT_EQ(info.GetTempDirectory(), "C:\\TEMP\\");
    system.specialFolders[0x20] = "C:\\Cache";
    EXPECT_EQ(info.GetCacheDirectory(0x20), "C:\\Cache");
    EXPECT_EQ(info.GetCacheDirectory(0x21), "");
}

TEST_F(SystemInfoTest, TheScreenSaverIsWrittenByItsShortName)
{
    system.shortNames["C:\\Program Files\\My Saver.scr"] = "C:\\PROGRA~1\\MYSAVE~1.SCR";
    info.SetDefaultScreensaver("C:\\Program Files\\My Saver.scr");
    info.SetDefaultScreensaver("C:\\Missing.scr");
    using Write = FakeSystemServices::ProfileWrite;
    EXPECT_EQ(system.profileWrites,
              (std::vector<Write>{{"C:\\WINDOWS\\system.ini", "boot", "SCRNSAVE.EXE", "C:\\PROGRA~1\\MYSAVE~1.SCR"},
                                  {"C:\\WINDOWS\\system.ini", "boot", "SCRNSAVE.EXE", ""}}));
}

TEST_F(SystemInfoTest, AnUnwritableInitialisationFileRaisesNamingIt)
{
    system.profileWritable = false;
    system.windowsDirectory = "C:\\";
    try {
        info.SetDefaultScreensaver("C:\\a.scr");
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "无法写入到 C:\\\\system.ini");
    }
}

TEST_F(SystemInfoTest, FindAllWalksDepthFirstInListingOrderInUpperCase)
{
    system.folders["C:\\Wall"] = {{"a.txt", false}, {"s", true}, {"Zed.Swf", false}, {"empty", true}};
    system.folders["C:\\Wall\\s"] = {{"b.txt", false}, {"墙纸x.htm", false}};
    system.folders["C:\\Wall\\empty"] = {};
    int pumped = 0;
    TSystemInfo walker(system, [&pumped] { ++pumped; });
    TStringList list;
    list.Add("kept");
    walker.FindAll("C:\\Wall", list);
    EXPECT_EQ(SplitLines(list.Text()), (std::vector<std::string>{"kept", "C:\\WALL\\A.TXT", "C:\\WALL\\S\\B.TXT",
                                                                 "C:\\WALL\\S\\墙纸X.HTM", "C:\\WALL\\ZED.SWF"}));
    EXPECT_EQ(pumped, 3);
}

TEST_F(SystemInfoTest, FindAllOnAMissingFolderAddsNothing)
{
    int pumped = 0;
    TSystemInfo walker(system, [&pumped] { ++pumped; });
    TStringList list;
    walker.FindAll("C:\\Nowhere", list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(pumped, 1);
    info.FindAll("C:\\Nowhere", list); // no message handler at all
    EXPECT_EQ(list.Count(), 0);
}
