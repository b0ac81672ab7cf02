#pragma once

#include <functional>
#include <string>

// Where the desktop's wallpaper service may find a player to install for the user, where the
// platform has no desktop that plays pages by itself: a function giving the player bundle this
// program carries, or an empty text when it carries none. Asked only when a wallpaper is applied.
// Windows plays pages without us and ignores it.
void SetWallpaperPlayerSource(std::function<std::string()> source);
