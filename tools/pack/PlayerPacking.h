#pragma once

#include <optional>
#include <string>

// The wallpaper player an installer for Linux carries (payload entry 3), so that its user needs
// nothing of ours installed beforehand. Windows installers stay without it.

// Whether `stub` is a Linux program (an ELF file) rather than a Windows one.
bool IsLinuxStub(const std::string& stub);

// The bundle of the files in `folder`: the program merrowin-wallpaper and web/*.
std::string PackPlayerFolder(const std::string& folder);
