// Follows the movie address of a host page as Windows does: reads the page's 8-bit text in the
// ANSI code page, takes the address of its movie parameter (which the embed line must repeat),
// turns it into a path with the shell's own file-address conversion and copies the file it names.
//   page_movie_probe PAGE OUT   prints the address and the path; exit 0 copied, 1 failed
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The text between `before` and the next double quote; empty when `before` is missing.
std::string Between(const std::string& text, const std::string& before)
{
    const size_t start = text.find(before);
    if (start == std::string::npos)
        return {};
    const size_t from = start + before.size();
    const size_t end = text.find('"', from);
    return end == std::string::npos ? std::string() : text.substr(from, end - from);
}

std::wstring FromAnsi(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

int Fail(const char* why)
{
    std::printf("FAIL: %s\n", why);
    return 1;
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3)
        return Fail("usage: page_movie_probe PAGE OUT");
    std::ifstream file(arguments[1], std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string address = Between(page, "<param name=\"movie\" value=\"");
    if (address.empty())
        return Fail("the page has no movie parameter");
    if (Between(page, "<embed src=\"") != address)
        return Fail("the embed line names another address");
    const std::wstring wideAddress = FromAnsi(address);
    wchar_t path[MAX_PATH * 4] = {};
    DWORD length = MAX_PATH * 4;
    const HRESULT result = PathCreateFromUrlW(wideAddress.c_str(), path, &length, 0);
    std::printf("address=%s\npath=%s\n", Utf8(wideAddress).c_str(), Utf8(path).c_str());
    if (FAILED(result))
        return Fail("the address is no file address");
    if (!CopyFileW(path, arguments[2], FALSE))
        return Fail("no file at that path");
    return 0;
}
