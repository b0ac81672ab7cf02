#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Small settings files of the stand-ins: read whole, replaced whole.

// The bytes of a file; empty when there is no such file, nullopt when it exists but cannot be
// read or is larger than `maxSize` (so that a caller never overwrites what it could not read).
std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxSize);

// Replaces the file with `bytes` so that a reader sees either the old or the new content, never
// a mix: the bytes go to a fresh file beside it, reach the disk, and are renamed over it. Missing
// parent folders are made, readable by the user only.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Makes a folder and every missing folder above it.
bool MakeFolderPath(const std::string& path, unsigned mode);

// `folder` + "/" + `name`, without doubling a separator that `folder` already ends in.
std::string JoinPath(const std::string& folder, std::string_view name);
