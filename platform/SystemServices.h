#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Everything the installer and the skin engine ask of the operating system outside drawing and
// input: the registry, well-known folders, files, GUIDs and the desktop wallpaper. Windows gets
// the real services; elsewhere small stand-ins give the same answers in the same shapes.
// All texts are UTF-8; paths use the platform's separator (PathSeparator()).

enum class TRegistryRoot { CurrentUser, LocalMachine };

enum class TRegistryDataType { String, ExpandString, Integer, Binary, MultiString, Unknown };

struct TRegistryData {
    TRegistryDataType type = TRegistryDataType::Unknown;
    std::string bytes; // the text for the two string types, else the raw value
};

// An open registry key.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // nullopt when the key has no such value.
    virtual std::optional<TRegistryData> ReadValue(const std::string& name) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    virtual bool WriteInteger(const std::string& name, int32_t value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
};

struct TFolderEntry {
    std::string name;
    bool isFolder = false;
};

// The desktop's wallpaper service. Results are status codes (0 = success) that the installer
// records but does not act on.
class WallpaperService {
public:
    virtual ~WallpaperService() = default;
    virtual int32_t SetWallpaper(const std::string& pageFile) = 0;
    virtual int32_t ApplyChanges(uint32_t flags) = 0;
};

class SystemServices {
public:
    virtual ~SystemServices() = default;

    virtual char PathSeparator() const = 0;

    // Opens a key, asking for full access and falling back to read access where that is
    // refused; with `create` a missing key is made. nullptr when it cannot be opened.
    virtual std::unique_ptr<RegistryKey> OpenKey(TRegistryRoot root, const std::string& path, bool create) = 0;

    virtual std::string WindowsDirectory() = 0; // no final separator (unless a drive root)
    virtual std::string SystemDirectory() = 0;  // no final separator (unless a drive root)
    virtual std::string TempPath() = 0;         // with a final separator
    // The folder of a shell folder identifier; empty when the shell has none.
    virtual std::string SpecialFolderPath(int folderId) = 0;
    // The short form of an existing file's path; empty when the file does not exist.
    virtual std::string ShortPathName(const std::string& path) = 0;
    // Writes key=value into a section of an initialisation file; false on failure.
    virtual bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
    // A fresh GUID in registry text form, "{" 8-4-4-4-12 upper-case hexadecimal digits "}".
    virtual std::string NewGuid() = 0;
    virtual std::string ExecutablePath() = 0;

    virtual bool FolderExists(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Makes one folder level; false when it could not.
    virtual bool MakeFolder(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // The entries of a folder in the order the file system gives them, without "." and "..";
    // empty when the folder cannot be read. A link to a folder is not a folder here, so that a
    // walk down the tree cannot loop.
    virtual std::vector<TFolderEntry> ListFolder(const std::string& path) = 0;

    // `utf8` as bytes for files that other programs of the platform read: the 8-bit code page of
    // the Windows shell there, UTF-8 (unchanged) everywhere else.
    virtual std::string ShellText(const std::string& utf8) { return utf8; }
    // Whether ShellText keeps every character of `utf8`; not where the shell's code page lacks one.
    virtual bool ShellTextHolds(const std::string& utf8)
    {
        (void)utf8;
        return true;
    }

    // Raises the toolkit's error when the service cannot be started: the system's text for the
    // failure, or "不支持的接口" when the service lacks the wallpaper interface.
    virtual std::unique_ptr<WallpaperService> StartWallpaperService() = 0;
};

// The services of the platform the program was built for.
std::unique_ptr<SystemServices> CreateSystemServices();
