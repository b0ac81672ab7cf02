#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Files named by UTF-8 paths, for the layers above the platform (file streams, skin archives).
// The C library takes names in the system's 8-bit code page on Windows, which cannot hold every
// name, so the Windows side goes through the wide functions. These stand in for std::filesystem,
// which would bring the standard library's whole locale and stream machinery into the installer.

// The C library's file, opened with an fopen mode ("rb", "w+b", ...); nullptr when it cannot be.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Moves in a file opened so, also beyond 2 GiB; 0 on success, as fseek.
int SeekFile(std::FILE* file, int64_t offset, int whence);
// The position in such a file; -1 on failure.
int64_t TellFile(std::FILE* file);

bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
// The size of a file that is not a folder; -1 when there is none.
int64_t FileSize(const std::string& path);
// Removes a file (not a folder); false when nothing was removed.
bool RemoveFile(const std::string& path);
// Makes the file `size` bytes long, cutting it or filling it with zero bytes.
bool ResizeFile(const std::string& path, int64_t size);

// A whole file mapped read-only into memory: the system reads a page when it is first touched and
// shares it with its file cache, so nothing is copied and pages never looked at are never read.
// Only for a file nobody changes while it is mapped (the system stops its bytes from arriving);
// the running program's own file is one, as no system lets it be written while it runs.
class TMappedFile {
public:
    // Nothing is mapped when the file cannot be opened, is empty or cannot be mapped.
    explicit TMappedFile(const std::string& path);
    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    bool IsMapped() const { return data_ != nullptr; }
    std::string_view Bytes() const { return {static_cast<const char*>(data_), static_cast<size_t>(size_)}; }

private:
    const void* data_ = nullptr;
    int64_t size_ = 0;
};
