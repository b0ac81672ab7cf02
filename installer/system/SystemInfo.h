#pragma once

#include "platform/SystemServices.h"
#include "toolkit/core/StringList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// Where the system keeps well-known folders, and three small folder and file utilities. Paths end
// in the platform's separator where noted ("\" on Windows, "/" elsewhere).
class TSystemInfo {
public:
    // `processMessages` handles the pending window messages; FindAll calls it once for every
    // folder it enters, so that a window stays responsive during a long walk.
    explicit TSystemInfo(SystemServices& system, std::function<void()> processMessages = nullptr)
        : system_(system), processMessages_(std::move(processMessages))
    {
    }

    // The temporary folder, ending in a separator.
    std::string GetTempDirectory();
    // The Windows folder followed by one separator, even when it already ends in one.
    std::string GetWindowsPath();
    // Makes `fileName`, by its short name (empty when it does not exist), the screen saver in the
    // section "boot" of the initialisation file GetWindowsPath() + "system.ini". Raises
    // "无法写入到 %s" naming that file when it cannot be written.
    void SetDefaultScreensaver(const std::string& fileName);
    // Appends every file below the folder `path`, depth first in the order the file system lists
    // them, as `path` + separator + name with ASCII letters in upper case. Folders that cannot be
    // read add nothing.
    void FindAll(const std::string& path, TStringList& list);
    // The folder of a shell folder identifier; empty when the shell has none.
    std::string GetCacheDirectory(int folderId);
    // The folder of `kind` 0..26 (see the table in SystemInfo.cpp), ending in a separator; empty
    // when the folder is not registered or the kind is above 26. Raises ERegistryException
    // when the registered value is not a text.
    std::string GetSystemPath(uint8_t kind);

private:
    std::string SystemDrive();

    SystemServices& system_;
    std::function<void()> processMessages_;
};
