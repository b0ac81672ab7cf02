// merrowin-wallpaper: plays an installed wallpaper page on the desktop of every monitor.
#include "player/app/PlayerApp.h"
#include "player/core/AutostartEntry.h"
#include "player/core/ControlChannel.h"
#include "player/core/PlayerOptions.h"
#include "platform/posix/PosixFiles.h"

#include <MerrowinVersion.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <gdk/gdk.h>
#include <unistd.h>

#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif
#ifdef MERROWIN_LAYER_SHELL
#include <gtk-layer-shell.h>
#endif

namespace {

const int kFailed = 1;
const int kUsage = 2;
const int kNoDesktop = 3;

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "merrowin-wallpaper: %s\n", message.c_str());
    return status;
}

std::string Absolute(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char here[PATH_MAX];
    return getcwd(here, sizeof here) ? JoinPath(here, path) : path;
}

// At login, a page that is gone means the user deleted the wallpaper: the entry that started us
// goes too, if it still names that page.
int ForgetDeletedPage(const std::string& page)
{
    const std::string entry = AutostartFile();
    const auto text = ReadSmallFile(entry, 64 * 1024);
    if (text && AutostartPage(*text) == page)
        unlink(entry.c_str());
    return 0;
}

int Stop()
{
    const auto reply = SendControlCommand(ControlSocketPath(DisplayKey()), "stop");
    if (!reply)
        return Fail(kFailed, "no wallpaper is playing on this display");
    return *reply == "ok" ? 0 : Fail(kFailed, *reply);
}

// Whether this display can take a wallpaper, and whether through the Wayland background layer.
bool OpenDesktop(bool& layerShell)
{
    layerShell = false;
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default())) {
#ifdef MERROWIN_LAYER_SHELL
        layerShell = gtk_layer_is_supported();
#endif
        return layerShell;
    }
#endif
    return true;
}

int Play(const TPlayerOptions& options)
{
    const std::string pagePath = Absolute(options.page);
    if (options.mode == TPlayerMode::Autostart && access(pagePath.c_str(), F_OK) != 0)
        return ForgetDeletedPage(pagePath);
    const std::string socket = ControlSocketPath(DisplayKey());
    if (socket.empty())
        return Fail(kNoDesktop, "no display to play on (neither DISPLAY nor WAYLAND_DISPLAY is usable)");
    auto server = ControlServer::Claim(socket);
    if (!server) {
        const auto reply = SendControlCommand(socket, "page " + pagePath);
        if (!reply)
            return Fail(kFailed, "another player holds this display and does not answer");
        return *reply == "ok" ? 0 : Fail(kFailed, reply->substr(reply->find(' ') + 1));
    }
    auto page = ReadWallpaperPage(pagePath);
    if (!page)
        return Fail(kFailed, "cannot read the wallpaper page " + pagePath);
    if (!gtk_init_check(nullptr, nullptr))
        return Fail(kNoDesktop, "cannot open the display");
    bool layerShell = false;
    if (!OpenDesktop(layerShell))
        return Fail(kNoDesktop, "this Wayland desktop offers no background layer (layer-shell); it cannot show a wallpaper");
    PlayerApp app(std::move(*server), pagePath, std::move(*page));
    return app.Run(gdk_display_get_default(), layerShell);
}

int Preview(const TPlayerOptions& options)
{
    const std::string pagePath = Absolute(options.page);
    const auto page = ReadWallpaperPage(pagePath);
    if (!page)
        return Fail(kFailed, "cannot read the wallpaper page " + pagePath);
    if (!gtk_init_check(nullptr, nullptr))
        return Fail(kNoDesktop, "cannot open the display");
    return RunPreviewWindow(pagePath, *page);
}

} // namespace

int main(int argc, char** argv)
{
    // The web process inherits this. The script engine's optimising tier for WebAssembly spends
    // seconds of both cores on the movie player's 14 MB of code while the wallpaper starts, and
    // a wallpaper's animation runs no slower on the baseline tier (measured: the first frame came
    // in half the time, at the same CPU while playing).
    setenv("JSC_useOMGJIT", "0", 0);
    const auto parsed = ParsePlayerOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "merrowin-wallpaper: %s\n%s", error->c_str(), kPlayerUsage);
        return kUsage;
    }
    const TPlayerOptions& options = std::get<TPlayerOptions>(parsed);
    switch (options.mode) {
    case TPlayerMode::Help:
        std::fputs(kPlayerUsage, stdout);
        return 0;
    case TPlayerMode::Version:
        std::printf("merrowin-wallpaper %s\n", MERROWIN_VERSION);
        return 0;
    case TPlayerMode::Stop:
        return Stop();
    case TPlayerMode::Window:
        return Preview(options);
    case TPlayerMode::Desktop:
    case TPlayerMode::Autostart:
        return Play(options);
    }
    return kFailed;
}
