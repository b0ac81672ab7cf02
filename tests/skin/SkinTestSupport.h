#pragma once

#include "platform/SystemServices.h"
#include "toolkit/core/Utf8Path.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace skintest {

inline std::filesystem::path SourceFolder()
{
    return std::filesystem::path(__FILE__).parent_path();
}

inline std::string Fixture(const std::string& name)
{
    return PathToUtf8(SourceFolder() / "fixtures" / name);
}

inline std::string ReadFile(const std::string& fileName)
{
    std::ifstream in(Utf8Path(fileName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& fileName, const std::string& bytes)
{
    std::ofstream out(Utf8Path(fileName), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool Exists(const std::string& fileName)
{
    return std::filesystem::exists(Utf8Path(fileName));
}

// A fresh folder of its own, removed with everything in it.
class TTempFolder {
public:
    TTempFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("merrowin-skin-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path() const { return PathToUtf8(path_); }
    std::string File(const std::string& name) const { return PathToUtf8(path_ / name); }
    size_t Count() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::filesystem::path path_;
};

// Just the file services the skin reader asks for, over a folder of the test's choosing, with
// GUIDs counted up so that temporary names are known in advance.
class TFakeSystemServices : public SystemServices {
public:
    explicit TFakeSystemServices(std::string tempPath) : tempPath_(std::move(tempPath)) {}

    std::vector<std::string> removed;
    int guids = 0;

    std::string NextGuid() const
    {
        char text[40];
        std::snprintf(text, sizeof text, "{00000000-0000-0000-0000-%012X}", guids + 1);
        return text;
    }

    char PathSeparator() const override { return '/'; }
    std::unique_ptr<RegistryKey> OpenKey(TRegistryRoot, const std::string&, bool) override { return nullptr; }
    std::string WindowsDirectory() override { return {}; }
    std::string SystemDirectory() override { return {}; }
    std::string TempPath() override { return tempPath_; }
    std::string SpecialFolderPath(int) override { return {}; }
    std::string ShortPathName(const std::string&) override { return {}; }
    bool WriteProfileString(const std::string&, const std::string&, const std::string&, const std::string&) override
    {
        return false;
    }
    std::string NewGuid() override
    {
        std::string guid = NextGuid();
        ++guids;
        return guid;
    }
    std::string ExecutablePath() override { return {}; }
    bool FolderExists(const std::string& path) override { return std::filesystem::is_directory(Utf8Path(path)); }
    bool FileExists(const std::string& path) override { return std::filesystem::is_regular_file(Utf8Path(path)); }
    bool MakeFolder(const std::string&) override { return false; }
    bool RemoveFile(const std::string& path) override
    {
        removed.push_back(path);
        std::error_code error;
        return std::filesystem::remove(Utf8Path(path), error);
    }
    std::vector<TFolderEntry> ListFolder(const std::string&) override { return {}; }
    std::unique_ptr<WallpaperService> StartWallpaperService() override { return nullptr; }

private:
    std::string tempPath_;
};

} // namespace skintest
