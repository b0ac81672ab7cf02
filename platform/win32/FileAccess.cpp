#include "platform/FileAccess.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace {

bool Attributes(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

} // namespace

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(ToWide(path).c_str(), wideMode.c_str());
}

int SeekFile(std::FILE* file, int64_t offset, int whence) { return _fseeki64(file, offset, whence); }

int64_t TellFile(std::FILE* file) { return _ftelli64(file); }

bool PathExists(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return Attributes(path, data);
}

bool IsFolder(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return Attributes(path, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!Attributes(path, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

bool RemoveFile(const std::string& path) { return DeleteFileW(ToWide(path).c_str()) != 0; }

// Opened beside whatever else has the file open (the C library shares for reading and writing).
bool ResizeFile(const std::string& path, int64_t size)
{
    if (size < 0)
        return false;
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool done = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return done;
}

TMappedFile::TMappedFile(const std::string& path)
{
    // Others may read the installer while it runs; the system itself keeps it from being written.
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) <= SIZE_MAX) {
        if (HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr)) {
            if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
                data_ = view;
                size_ = size.QuadPart;
            }
            CloseHandle(mapping);
        }
    }
    CloseHandle(file);
}

TMappedFile::~TMappedFile()
{
    if (data_)
        UnmapViewOfFile(data_);
}
