#include "platform/ExecutablePath.h"

#include "toolkit/core/Utf8Path.h"

#include <filesystem>

std::string ExecutablePath()
{
    return PathToUtf8(std::filesystem::read_symlink("/proc/self/exe"));
}
