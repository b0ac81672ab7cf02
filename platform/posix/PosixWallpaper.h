#pragma once

#include "platform/SystemServices.h"
#include "platform/posix/PlayerLauncher.h"

#include <memory>
#include <string>
#include <utility>

// The Linux stand-in for the desktop's wallpaper service. ApplyChanges with the save flag (1):
//  - records the page set by SetWallpaper, followed by a line feed, in `recordFile`;
//  - installs the player this installer carries into the user's data folder when the user has
//    none or an older one;
//  - writes the login entry that starts the player with the page;
//  - on a display, starts the player now, on its own (a running one takes the new page).
// Results follow the shell's codes: 0, 0x80070057 for an empty page, 0x80004005 when the record
// or the login entry cannot be written. What cannot play (no display, no WebKitGTK) is said on
// standard error; the page is recorded all the same.
class PosixWallpaper final : public WallpaperService {
public:
    explicit PosixWallpaper(std::string recordFile,
                            std::unique_ptr<PlayerLauncher> launcher = std::make_unique<ProcessLauncher>())
        : recordFile_(std::move(recordFile)), launcher_(std::move(launcher))
    {
    }

    int32_t SetWallpaper(const std::string& pageFile) override;
    int32_t ApplyChanges(uint32_t flags) override;

private:
    std::string recordFile_;
    std::unique_ptr<PlayerLauncher> launcher_;
    std::string page_;
};
