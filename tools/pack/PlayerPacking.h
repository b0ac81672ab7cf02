#pragma once

#include <optional>
#include <string>

// The wallpaper player an installer for Linux carries (payload entry 3), so that its user needs
// nothing of ours installed beforehand. Windows installers stay without it.

// Whether `stub` is a Linux program (an ELF file) rather than a Windows one.
bool IsLinuxStub(const std::string& stub);

// The player's bundle folder that goes with this merrowin-pack: bundle/ of the player in a build
// tree, or lib/merrowin/player of an installed one. nullopt when there is none.
std::optional<std::string> FindPlayerFolder();

// The bundle of the files in `folder`: the program merrowin-wallpaper and web/*.
std::string PackPlayerFolder(const std::string& folder);
