#include "platform/WallpaperPlayerSource.h"

void SetWallpaperPlayerSource(std::function<std::string()>)
{
}
