#include "platform/posix/PosixSystemServices.h"

#include "platform/ExecutablePath.h"
#include "platform/Guid.h"
#include "platform/posix/IniText.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/PosixWallpaper.h"
#include "platform/posix/XdgFolders.h"

#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const size_t kMaxIniFile = 4 << 20;

std::string SettingsFolder()
{
    return JoinPath(ConfigHome(), "merrowin");
}

bool Status(const std::string& path, struct stat& status)
{
    return !path.empty() && ::stat(path.c_str(), &status) == 0;
}

} // namespace

std::unique_ptr<RegistryKey> PosixSystemServices::OpenKey(TRegistryRoot root, const std::string& path, bool create)
{
    return OpenPosixRegistryKey(JoinPath(SettingsFolder(), "registry"), root, path, create);
}

std::string PosixSystemServices::WindowsDirectory()
{
    std::string folder = SettingsFolder();
    MakeFolderPath(folder, 0700);
    return folder;
}

std::string PosixSystemServices::SystemDirectory()
{
    return "/usr/lib";
}

std::string PosixSystemServices::TempPath()
{
    const char* variable = std::getenv("TMPDIR");
    std::string folder = variable && variable[0] == '/' ? variable : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

// The shell folder identifiers that have a Linux counterpart.
std::string PosixSystemServices::SpecialFolderPath(int folderId)
{
    switch (folderId) {
    case 0x00: // the desktop
    case 0x10: // the desktop's folder
        return UserFolder("DESKTOP");
    case 0x05: // documents
        return UserFolder("DOCUMENTS");
    case 0x0D: // music
        return UserFolder("MUSIC");
    case 0x0E: // videos
        return UserFolder("VIDEOS");
    case 0x27: // pictures
        return UserFolder("PICTURES");
    case 0x15: // templates
        return UserFolder("TEMPLATES");
    case 0x1A: // roaming application data
        return ConfigHome();
    case 0x1C: // local application data
        return DataHome();
    case 0x20: // the web cache
        return CacheHome();
    case 0x14: // fonts
        return JoinPath(DataHome(), "fonts");
    case 0x28: // the user's profile
        return HomeFolder();
    case 0x24: // the Windows folder
        return WindowsDirectory();
    case 0x25: // the system folder
        return SystemDirectory();
    case 0x26: // programs
        return "/opt";
    case 0x2B: // programs' shared files
        return "/usr/share";
    default:
        return {};
    }
}

std::string PosixSystemServices::ShortPathName(const std::string& path)
{
    struct stat status {};
    return Status(path, status) ? path : std::string();
}

bool PosixSystemServices::WriteProfileString(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& value)
{
    std::optional<std::string> text = ReadSmallFile(file, kMaxIniFile);
    return text && WriteFileAtomically(file, SetIniValue(*text, section, key, value));
}

std::string PosixSystemServices::NewGuid()
{
    return NewGuidText();
}

std::string PosixSystemServices::ExecutablePath()
{
    return ::ExecutablePath();
}

bool PosixSystemServices::FolderExists(const std::string& path)
{
    struct stat status {};
    return Status(path, status) && S_ISDIR(status.st_mode);
}

bool PosixSystemServices::FileExists(const std::string& path)
{
    struct stat status {};
    return Status(path, status) && !S_ISDIR(status.st_mode);
}

bool PosixSystemServices::MakeFolder(const std::string& path)
{
    return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

bool PosixSystemServices::RemoveFile(const std::string& path)
{
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

std::vector<TFolderEntry> PosixSystemServices::ListFolder(const std::string& path)
{
    std::vector<TFolderEntry> entries;
    DIR* folder = ::opendir(path.c_str());
    if (!folder)
        return entries;
    while (const dirent* entry = ::readdir(folder)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            isFolder = ::lstat(JoinPath(path, name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        }
        entries.push_back({name, isFolder});
    }
    ::closedir(folder);
    return entries;
}

std::unique_ptr<WallpaperService> PosixSystemServices::StartWallpaperService()
{
    return std::make_unique<PosixWallpaper>(JoinPath(SettingsFolder(), "wallpaper"));
}

std::unique_ptr<SystemServices> CreateSystemServices()
{
    return std::make_unique<PosixSystemServices>();
}
