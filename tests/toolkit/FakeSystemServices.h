#pragma once

// A scripted SystemServices for tests: an in-memory registry that counts its open keys, fixed
// folders, an in-memory folder tree and a log of initialisation-file writes.

#include "platform/SystemServices.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class FakeSystemServices : public SystemServices {
public:
    using Values = std::map<std::string, TRegistryData>;
    struct ProfileWrite {
        std::string file, section, key, value;
        bool operator==(const ProfileWrite&) const = default;
    };

    char separator = '\\';
    std::map<std::pair<TRegistryRoot, std::string>, Values> keys;
    bool refuseKeys = false;
    std::vector<std::string> openLog; // "HKCU|path|create" for every OpenKey call
    int openKeys = 0;

    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    std::string tempPath = "C:\\TEMP\\";
    std::map<int, std::string> specialFolders;
    std::map<std::string, std::string> shortNames; // existing files and their short names
    bool profileWritable = true;
    std::vector<ProfileWrite> profileWrites;
    std::map<std::string, std::vector<TFolderEntry>> folders;
    bool shellHoldsAll = true; // otherwise the shell's code page holds ASCII alone

    void SetValue(TRegistryRoot root, const std::string& path, const std::string& name, TRegistryDataType type,
                  const std::string& bytes)
    {
        keys[{root, path}][name] = {type, bytes};
    }

    char PathSeparator() const override { return separator; }

    std::unique_ptr<RegistryKey> OpenKey(TRegistryRoot root, const std::string& path, bool create) override
    {
        openLog.push_back(std::string(root == TRegistryRoot::CurrentUser ? "HKCU|" : "HKLM|") + path +
                          (create ? "|create" : "|open"));
        auto found = keys.find({root, path});
        if (refuseKeys || (found == keys.end() && !create))
            return nullptr;
        return std::make_unique<Key>(*this, keys[{root, path}]);
    }

    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string SystemDirectory() override { return systemDirectory; }
    std::string TempPath() override { return tempPath; }
    std::string SpecialFolderPath(int folderId) override
    {
        auto found = specialFolders.find(folderId);
        return found == specialFolders.end() ? std::string() : found->second;
    }
    std::string ShortPathName(const std::string& path) override
    {
        auto found = shortNames.find(path);
        return found == shortNames.end() ? std::string() : found->second;
    }
    bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override
    {
        profileWrites.push_back({file, section, key, value});
        return profileWritable;
    }
    std::string NewGuid() override { return "{00000000-0000-4000-8000-000000000000}"; }
    std::string ExecutablePath() override { return "C:\\setup.exe"; }
    bool FolderExists(const std::string& path) override { return folders.count(path) != 0; }
    bool FileExists(const std::string& path) override { return shortNames.count(path) != 0; }
    bool MakeFolder(const std::string& path) override
    {
        return folders.emplace(path, std::vector<TFolderEntry>()).second;
    }
    bool RemoveFile(const std::string& path) override { return shortNames.erase(path) != 0; }
    std::vector<TFolderEntry> ListFolder(const std::string& path) override
    {
        auto found = folders.find(path);
        return found == folders.end() ? std::vector<TFolderEntry>() : found->second;
    }
    bool ShellTextHolds(const std::string& utf8) override
    {
        for (char c : utf8)
            if (static_cast<unsigned char>(c) >= 0x80 && !shellHoldsAll)
                return false;
        return true;
    }
    std::unique_ptr<WallpaperService> StartWallpaperService() override { return nullptr; }

private:
    class Key : public RegistryKey {
    public:
        Key(FakeSystemServices& owner, Values& values) : owner_(owner), values_(values) { ++owner_.openKeys; }
        ~Key() override { --owner_.openKeys; }
        std::optional<TRegistryData> ReadValue(const std::string& name) override
        {
            auto found = values_.find(name);
            if (found == values_.end())
                return std::nullopt;
            return found->second;
        }
        bool WriteString(const std::string& name, const std::string& value) override
        {
            values_[name] = {TRegistryDataType::String, value};
            return true;
        }
        bool WriteInteger(const std::string& name, int32_t value) override
        {
            values_[name] = {TRegistryDataType::Integer, std::string(reinterpret_cast<const char*>(&value), 4)};
            return true;
        }
        bool DeleteValue(const std::string& name) override { return values_.erase(name) != 0; }

    private:
        FakeSystemServices& owner_;
        Values& values_;
    };
};
