#pragma once

#include <optional>
#include <string>
#include <string_view>

// The host page as the installer writes it, read for playing: which movie it names, and the
// page as the web view is given it.
struct TWallpaperPage {
    std::string html;         // the page's bytes
    std::string movieAddress; // the movie's address exactly as the page spells it
    std::string moviePath;    // the file that address names on this machine
    std::string quality;      // the page's quality parameter, empty when it has none
};

// Reads the page file. The movie is the file the page's address names when that is a file
// called flashwallpaper.swf, else flashwallpaper.swf beside the page (a folder that was moved
// still plays). nullopt when the page cannot be read or names no movie.
std::optional<TWallpaperPage> ReadWallpaperPage(const std::string& pagePath);

// The page with every spelling of its movie address replaced by `movieUrl` and `head` put in
// front, so that the player's scripts run before the page's own content is seen.
std::string ServedPage(const TWallpaperPage& page, const std::string& movieUrl, const std::string& head);

// Whether a click may hand `address` to the user's browser: http and https only.
bool IsBrowserAddress(std::string_view address);

// The folder of a path, without the final "/".
std::string FolderOf(const std::string& path);
