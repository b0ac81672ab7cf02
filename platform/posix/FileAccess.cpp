#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/mman.h>
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

TMappedFile::TMappedFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        void* data = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (data != MAP_FAILED) {
            data_ = data;
            size_ = static_cast<int64_t>(info.st_size);
        }
    }
    close(fd);
}

TMappedFile::~TMappedFile()
{
    if (data_)
        munmap(const_cast<void*>(data_), static_cast<size_t>(size_));
}
