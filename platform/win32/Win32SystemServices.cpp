#include "platform/win32/Win32SystemServices.h"

#include "platform/ExecutablePath.h"
#include "platform/Guid.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Wallpaper.h"
#include "platform/win32/WideText.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

// <windows.h> maps this name to its own wide function, which would rename our method here.
#undef WriteProfileString

namespace {

// Calls one of the "fill this buffer" functions, growing the buffer while the function reports
// that the text does not fit. The functions answer 0 on failure, the length without the NUL on
// success and the size needed, NUL included, when the buffer is too small.
template <typename Fill>
std::string FilledText(Fill fill)
{
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return FromWide(std::wstring_view(buffer.data(), length));
        buffer.assign(static_cast<size_t>(length) + 1, L'\0');
    }
    return {};
}

DWORD Attributes(const std::string& path)
{
    return GetFileAttributesW(ToWide(path).c_str());
}

bool IsDotEntry(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

} // namespace

Win32SystemServices::Win32SystemServices()
{
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comInitialised_ = SUCCEEDED(result); // S_FALSE, already initialised, must be balanced too
}

Win32SystemServices::~Win32SystemServices()
{
    if (comInitialised_)
        CoUninitialize();
}

std::unique_ptr<RegistryKey> Win32SystemServices::OpenKey(TRegistryRoot root, const std::string& path, bool create)
{
    return OpenWin32RegistryKey(root, path, create);
}

std::string Win32SystemServices::WindowsDirectory()
{
    return FilledText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string Win32SystemServices::SystemDirectory()
{
    return FilledText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

std::string Win32SystemServices::TempPath()
{
    return FilledText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
}

std::string Win32SystemServices::SpecialFolderPath(int folderId)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folderId, &list)) || !list)
        return {};
    wchar_t path[MAX_PATH + 1] = {};
    BOOL found = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return found ? FromWide(path) : std::string();
}

std::string Win32SystemServices::ShortPathName(const std::string& path)
{
    std::wstring wide = ToWide(path);
    return FilledText([&wide](wchar_t* buffer, DWORD size) { return GetShortPathNameW(wide.c_str(), buffer, size); });
}

bool Win32SystemServices::WriteProfileString(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& value)
{
    return WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), ToWide(value).c_str(),
                                      ToWide(file).c_str()) != 0;
}

std::string Win32SystemServices::NewGuid()
{
    return NewGuidText();
}

std::string Win32SystemServices::ExecutablePath()
{
    return ::ExecutablePath();
}

bool Win32SystemServices::FolderExists(const std::string& path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SystemServices::FileExists(const std::string& path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32SystemServices::MakeFolder(const std::string& path)
{
    return CreateDirectoryW(ToWide(path).c_str(), nullptr) != 0;
}

bool Win32SystemServices::RemoveFile(const std::string& path)
{
    return DeleteFileW(ToWide(path).c_str()) != 0;
}

std::vector<TFolderEntry> Win32SystemServices::ListFolder(const std::string& path)
{
    std::vector<TFolderEntry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(path + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        // A junction or folder link is reported but not entered: it may lead back up the tree.
        bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                      !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        entries.push_back({FromWide(found.cFileName), folder});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::unique_ptr<WallpaperService> Win32SystemServices::StartWallpaperService()
{
    return StartActiveDesktop();
}

std::unique_ptr<SystemServices> CreateSystemServices()
{
    return std::make_unique<Win32SystemServices>();
}

// The shell reads 8-bit files in the ANSI code page; characters that page lacks become its
// default character, as every program writing such a file gets them.
std::string Win32SystemServices::ShellText(const std::string& utf8)
{
    const std::wstring wide = ToWide(utf8);
    if (wide.empty())
        return {};
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

// Without best-fit mapping a character either converts to itself or to the default character,
// so the flag tells exactly whether the text survives. A UTF-8 ANSI code page holds everything
// (and refuses the flag).
bool Win32SystemServices::ShellTextHolds(const std::string& utf8)
{
    const std::wstring wide = ToWide(utf8);
    if (wide.empty() || GetACP() == CP_UTF8)
        return true;
    const int length = static_cast<int>(wide.size());
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    std::string text(static_cast<size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, text.data(), size, nullptr,
                               &usedDefault);
    return size > 0 && !usedDefault;
}
