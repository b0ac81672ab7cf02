#pragma once

#include "toolkit/core/StringList.h"
#include "toolkit/graphics/Color.h"

#include <string>
#include <string_view>

class TProject;

// The file name of the movie inside the wallpaper's folder.
inline constexpr std::string_view kMovieFileName = "flashwallpaper.swf";

// Red, green and blue of a colour as six upper-case hexadecimal digits. System colours are not
// resolved: the page shows the stored bytes.
std::string ColorToHex(TColor color);

// `source` with every occurrence of `pattern` replaced, scanning left to right and never
// searching replacement text again. An empty pattern matches nowhere.
std::string ReplaceAll(std::string_view source, std::string_view pattern, std::string_view replacement);

// The lines of the HTML page that plays the movie across the desktop. `folder` is the absolute
// path of the folder holding the movie, ending in a path separator; it and the project's texts
// are copied in as they are, without escaping.
TStringList BuildHostPage(const TProject& project, const std::string& folder);
