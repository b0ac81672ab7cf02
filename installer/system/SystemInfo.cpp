#include "installer/system/SystemInfo.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/registry/Registry.h"

#include <array>
#include <string_view>

namespace {

const char* const kUserShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kMachineVersion = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Kinds 0..16: values of the user's shell-folders key.
const std::array<const char*, 17> kShellFolderNames = {
    "Desktop",  "Start Menu", "Programs", "Startup", "Personal", "AppData",  "Fonts",     "SendTo",        "Recent",
    "Favorites", "Cache",     "Cookies",  "History", "NetHood",  "PrintHood", "Templates", "Local AppData",
};
// Kinds 17..20 come from the system's folder functions.
const uint8_t kWindowsFolder = 17;
const uint8_t kSystemFolder = 18;
const uint8_t kTempFolder = 19;
const uint8_t kSystemDrive = 20;
// Kinds 21..26: values of the machine's CurrentVersion key.
const uint8_t kFirstMachineKind = 21;
const std::array<const char*, 6> kMachineFolderNames = {
    "ProgramFilesDir", "CommonFilesDir", "ConfigPath", "DevicePath", "MediaPath", "WallPaperDir",
};

std::string UpperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace

std::string TSystemInfo::GetTempDirectory()
{
    return system_.TempPath();
}

std::string TSystemInfo::GetWindowsPath()
{
    return system_.WindowsDirectory() + system_.PathSeparator();
}

void TSystemInfo::SetDefaultScreensaver(const std::string& fileName)
{
    std::string iniFile = GetWindowsPath() + "system.ini";
    if (!system_.WriteProfileString(iniFile, "boot", "SCRNSAVE.EXE", system_.ShortPathName(fileName)))
        throw Exception("无法写入到 " + iniFile);
}

void TSystemInfo::FindAll(const std::string& path, TStringList& list)
{
    if (processMessages_)
        processMessages_();
    for (const TFolderEntry& entry : system_.ListFolder(path)) {
        std::string entryPath = path + system_.PathSeparator() + entry.name;
        if (entry.isFolder)
            FindAll(entryPath, list);
        else
            list.Add(UpperAscii(entryPath));
    }
}

std::string TSystemInfo::GetCacheDirectory(int folderId)
{
    return system_.SpecialFolderPath(folderId);
}

// The drive letter and colon that begin the system folder. Where paths have no drives, the
// root stands for the one drive there is.
std::string TSystemInfo::SystemDrive()
{
    if (system_.PathSeparator() != '\\')
        return std::string(1, system_.PathSeparator());
    return system_.SystemDirectory().substr(0, 2);
}

std::string TSystemInfo::GetSystemPath(uint8_t kind)
{
    std::string result;
    TRegistry registry(system_);
    registry.SetRootKey(TRegistryRoot::CurrentUser);
    registry.OpenKey(kUserShellFolders, true);
    if (kind < kShellFolderNames.size())
        result = registry.ReadString(kShellFolderNames[kind]);
    else if (kind == kWindowsFolder)
        result = system_.WindowsDirectory();
    else if (kind == kSystemFolder)
        result = system_.SystemDirectory();
    else if (kind == kTempFolder)
        result = system_.TempPath();
    else if (kind == kSystemDrive)
        result = SystemDrive();

    registry.SetRootKey(TRegistryRoot::LocalMachine);
    registry.OpenKey(kMachineVersion, true);
    size_t machineIndex = static_cast<size_t>(kind) - kFirstMachineKind;
    if (kind >= kFirstMachineKind && machineIndex < kMachineFolderNames.size())
        result = registry.ReadString(kMachineFolderNames[machineIndex]);
    registry.CloseKey();

    if (!result.empty() && result.back() != system_.PathSeparator())
        result += system_.PathSeparator();
    return result;
}
