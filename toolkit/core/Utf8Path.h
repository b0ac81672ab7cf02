#pragma once

#include <filesystem>
#include <string>

// Paths are UTF-8 text inside the program; the standard library turns them into whatever the
// operating system's file functions take (wide characters on Windows).
inline std::filesystem::path Utf8Path(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& path)
{
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
