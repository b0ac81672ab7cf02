#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The wallpaper player and its web files as one blob, so that an installer for Linux can carry
// them as a further payload entry and a user needs nothing of ours installed beforehand.
//
//   "MWPLAYER", u32 format (1), u32 n + n bytes stamp, u32 count,
//   count x (u32 n + n bytes name, u32 flags (1: executable), u32 n + n bytes content)
//
// All integers little-endian. A name is one or two path levels of [A-Za-z0-9._-], none starting
// with a dot, so that no entry can be written outside the folder it is installed into.

// The player program's name: in a bundle, in the folder it is installed into, and on the PATH.
inline constexpr char kPlayerProgramName[] = "merrowin-wallpaper";

struct TBundleFile {
    std::string name;
    bool executable = false;
    std::string content;
};

struct TPlayerBundle {
    std::string stamp; // "VERSION DIGEST": which player this is
    std::vector<TBundleFile> files;
};

std::string WritePlayerBundle(const TPlayerBundle& bundle);
// nullopt for anything that is not a whole, well-formed bundle.
std::optional<TPlayerBundle> ReadPlayerBundle(std::string_view bytes);

bool IsSafeBundleName(std::string_view name);

// VERSION and a digest of the files, which tells two builds of one version apart.
std::string BundleStamp(const std::string& version, const std::vector<TBundleFile>& files);

// Whether a bundle stamped `offered` should replace the installed one (nullopt: none installed):
// a newer version does, an older one never, the same version when the files differ.
bool ShouldReplacePlayer(const std::optional<std::string>& installed, const std::string& offered);
