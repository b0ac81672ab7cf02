#pragma once

// A temporary HOME with its XDG folders for the Linux stand-ins, and the environment put back
// afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

class PosixTestFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
            ::unsetenv(name);
        }
        char pattern[] = "/tmp/merrowin-posix-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        home = root + "/home";
        std::filesystem::create_directories(home);
        ::setenv("HOME", home.c_str(), 1);
    }

    void TearDown() override
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    std::string root;
    std::string home;

private:
    static constexpr const char* kVariables[] = {"HOME",          "XDG_CONFIG_HOME",   "XDG_DATA_HOME",
                                                 "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR",
                                                 "TMPDIR",      "DISPLAY",           "WAYLAND_DISPLAY"};
    std::map<std::string, std::optional<std::string>> saved_;
};
