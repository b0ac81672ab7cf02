#include "platform/posix/PosixWallpaper.h"

#include "platform/WallpaperPlayerSource.h"
#include "platform/posix/PosixFiles.h"
#include "player/core/AutostartEntry.h"
#include "player/core/PlayerBundle.h"
#include "player/core/PlayerInstall.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const int32_t kOk = 0;
const int32_t kInvalidArgument = static_cast<int32_t>(0x80070057);
const int32_t kFailure = static_cast<int32_t>(0x80004005);
const uint32_t kApplySave = 1;

std::function<std::string()>& PlayerSource()
{
    static std::function<std::string()> source;
    return source;
}

void Say(const std::string& line)
{
    std::fprintf(stderr, "merrowin-setup: %s\n", line.c_str());
}

// Brings the user's copy of the player up to the one this installer carries.
void UpdateUserPlayer()
{
    if (!PlayerSource())
        return;
    const std::string bytes = PlayerSource()();
    if (bytes.empty())
        return;
    const auto bundle = ReadPlayerBundle(bytes);
    if (!bundle) {
        Say("the wallpaper player in this installer is damaged and was not installed");
        return;
    }
    const std::string folder = UserPlayerFolder();
    if (ShouldReplacePlayer(InstalledPlayerStamp(folder), bundle->stamp) && !InstallPlayerBundle(*bundle, folder))
        Say("the wallpaper player could not be installed into " + folder);
}

// The user's own copy first (what our installers keep up to date), else one on the PATH.
std::string FindPlayer()
{
    const std::string own = JoinPath(UserPlayerFolder(), kPlayerProgramName);
    if (access(own.c_str(), X_OK) == 0)
        return own;
    return FindInPath(kPlayerProgramName);
}

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && value[0])
            return true;
    }
    return false;
}

} // namespace

void SetWallpaperPlayerSource(std::function<std::string()> source)
{
    PlayerSource() = std::move(source);
}

int32_t PosixWallpaper::SetWallpaper(const std::string& pageFile)
{
    if (pageFile.empty())
        return kInvalidArgument;
    page_ = pageFile;
    return kOk;
}

int32_t PosixWallpaper::ApplyChanges(uint32_t flags)
{
    if (!(flags & kApplySave) || page_.empty())
        return kOk;
    if (!WriteFileAtomically(recordFile_, page_ + "\n"))
        return kFailure;
    UpdateUserPlayer();
    const std::string player = FindPlayer();
    // Without a player the entry still names the program, so that one installed later plays
    // the page from the next login on.
    if (!WriteFileAtomically(AutostartFile(), ComposeAutostartEntry(player.empty() ? kPlayerProgramName : player, page_)))
        return kFailure;
    if (!HasDisplay())
        return kOk;
    if (player.empty())
        Say("no wallpaper player (merrowin-wallpaper) is installed, so the wallpaper does not play yet");
    else if (!launcher_->CanRun(player))
        Say("the wallpaper player needs WebKitGTK 4.1: install the package libwebkit2gtk-4.1-0");
    else if (!launcher_->StartDetached(player, {page_}))
        Say("the wallpaper player could not be started");
    return kOk;
}
