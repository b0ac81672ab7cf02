#pragma once

#include "platform/SystemServices.h"

#include <string>
#include <utility>

// Where Linux has no desktop that plays a web page, the wallpaper is recorded: ApplyChanges with
// the save flag (1) writes the page set by SetWallpaper, followed by a line feed, to
// `recordFile`. Nothing else on the desktop is touched. Results follow the shell's codes: 0,
// 0x80070057 for an empty page, 0x80004005 when the record cannot be written.
class PosixWallpaper final : public WallpaperService {
public:
    explicit PosixWallpaper(std::string recordFile) : recordFile_(std::move(recordFile)) {}

    int32_t SetWallpaper(const std::string& pageFile) override;
    int32_t ApplyChanges(uint32_t flags) override;

private:
    std::string recordFile_;
    std::string page_;
};
