#include "platform/FileAccess.h"

#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

int SeekFile(std::FILE* file, int64_t offset, int whence) { return fseeko(file, static_cast<off_t>(offset), whence); }

int64_t TellFile(std::FILE* file) { return static_cast<int64_t>(ftello(file)); }

bool PathExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int64_t FileSize(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return -1;
    return static_cast<int64_t>(info.st_size);
}

bool RemoveFile(const std::string& path) { return !IsFolder(path) && unlink(path.c_str()) == 0; }

bool ResizeFile(const std::string& path, int64_t size)
{
    return size >= 0 && truncate(path.c_str(), static_cast<off_t>(size)) == 0;
}
