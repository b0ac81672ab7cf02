#pragma once

#include "platform/SystemServices.h"

// The stand-ins for the Windows services on Linux. Every folder comes from the environment at
// the moment of the call (HOME and the XDG variables), so nothing is cached. The program's own
// settings live in $XDG_CONFIG_HOME/merrowin: "registry" (the written keys), "wallpaper" (the
// recorded wallpaper) and "system.ini" (the initialisation file, as that folder stands in for
// the Windows folder).
class PosixSystemServices : public SystemServices {
public:
    char PathSeparator() const override { return '/'; }
    std::unique_ptr<RegistryKey> OpenKey(TRegistryRoot root, const std::string& path, bool create) override;
    // $XDG_CONFIG_HOME/merrowin, made when missing, since the Windows folder always exists.
    std::string WindowsDirectory() override;
    // /usr/lib, where the shared system libraries are.
    std::string SystemDirectory() override;
    // $TMPDIR when absolute, else /tmp; with a final "/".
    std::string TempPath() override;
    std::string SpecialFolderPath(int folderId) override;
    // Linux has no short names: the path itself when something of that name exists.
    std::string ShortPathName(const std::string& path) override;
    bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override;
    std::string NewGuid() override;
    std::string ExecutablePath() override;
    bool FolderExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    // A symbolic link is listed but never counts as a folder, so that a walk cannot loop.
    std::vector<TFolderEntry> ListFolder(const std::string& path) override;
    std::unique_ptr<WallpaperService> StartWallpaperService() override;
};
