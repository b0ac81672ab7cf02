#pragma once

#include <cstdint>
#include <string>

// Installers for Linux carry the wallpaper player after the movie and the project text, so that
// a user needs nothing of ours beforehand. The reader never asks for it; older installers lack it.
const int32_t kPlayerBundleEntry = 3;

// Entry `index` of the installer at `path`, unpacked as the reader gives it; empty when the file
// cannot be read or has no such entry.
std::string ReadPayloadEntry(const std::string& path, int32_t index);
