#pragma once

#include <optional>
#include <string>

// What comes with merrowin-pack: the installer stubs an author appends wallpapers to, and the
// wallpaper player that installers for Linux carry. Found beside the program, as installed
// (PREFIX/bin and PREFIX/lib/merrowin) or in the build tree it was built in.

enum class TStubTarget { Linux, Windows };

// The stub for a target: PREFIX/lib/merrowin/stubs/merrowin-setup-stub[.exe], else in a build
// tree the Linux build's app/setup/merrowin-setup-stub or, for Windows, the shipping 32-bit
// build's (build-win32 beside the Linux build, as ./test makes it). nullopt when there is none.
std::optional<std::string> FindStub(TStubTarget target);

// The player's bundle folder: PREFIX/lib/merrowin/player, or bundle/ of the player in a build
// tree. nullopt when there is none.
std::optional<std::string> FindPlayerFolder();
