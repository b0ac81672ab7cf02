#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

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
