#pragma once

#include <optional>
#include <string>
#include <string_view>

// The freedesktop folders of the current user, read from the environment on every call so that
// a caller that changes HOME or an XDG variable sees the change at once. No folder is created.

// $HOME, else the user's entry in the password database, else "/".
std::string HomeFolder();
// $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_CACHE_HOME when absolute, else their defaults
// ~/.config, ~/.local/share and ~/.cache.
std::string ConfigHome();
std::string DataHome();
std::string CacheHome();

// The user folder NAME (DESKTOP, DOCUMENTS, TEMPLATES, MUSIC, PICTURES, VIDEOS, DOWNLOAD,
// PUBLICSHARE) as xdg-user-dir answers it: the last XDG_NAME_DIR line of
// $XDG_CONFIG_HOME/user-dirs.dirs, else the environment variable XDG_NAME_DIR, else ~/Desktop
// for the desktop and the home folder for every other name.
std::string UserFolder(std::string_view name);

// The folder that the text of a user-dirs.dirs file assigns to NAME: the last line
// XDG_NAME_DIR=VALUE where VALUE, double-quoted, single-quoted or bare, with "$HOME" or
// "${HOME}" replaced by `home`, is an absolute path. No final "/" (unless it is "/" itself).
std::optional<std::string> FindUserFolder(std::string_view fileText, std::string_view name, const std::string& home);
