#pragma once

#include "platform/SystemServices.h"

// The real Windows services: registry, shell folders, wide-character files, COM. Initialises COM
// on the creating thread for its lifetime, as the wallpaper service needs.
class Win32SystemServices final : public SystemServices {
public:
    Win32SystemServices();
    ~Win32SystemServices() override;
    Win32SystemServices(const Win32SystemServices&) = delete;
    Win32SystemServices& operator=(const Win32SystemServices&) = delete;

    char PathSeparator() const override { return '\\'; }
    std::unique_ptr<RegistryKey> OpenKey(TRegistryRoot root, const std::string& path, bool create) override;
    std::string WindowsDirectory() override;
    std::string SystemDirectory() override;
    std::string TempPath() override;
    std::string SpecialFolderPath(int folderId) override;
    std::string ShortPathName(const std::string& path) override;
    bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override;
    std::string NewGuid() override;
    std::string ExecutablePath() override;
    bool FolderExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    std::vector<TFolderEntry> ListFolder(const std::string& path) override;
    std::string ShellText(const std::string& utf8) override;
    bool ShellTextHolds(const std::string& utf8) override;
    std::unique_ptr<WallpaperService> StartWallpaperService() override;

private:
    bool comInitialised_ = false;
};
