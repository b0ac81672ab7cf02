#pragma once

#include "player/core/ControlChannel.h"
#include "player/core/WallpaperPage.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>
#include <memory>
#include <string>

class Desktop;
class WallpaperScheme;

// The running wallpaper player of one display: shows its page on the desktop, takes pages and
// the stop command from later starts, and ends when its page's folder is deleted.
class PlayerApp {
public:
    PlayerApp(ControlServer server, std::string pagePath, TWallpaperPage page);
    ~PlayerApp();
    PlayerApp(const PlayerApp&) = delete;
    PlayerApp& operator=(const PlayerApp&) = delete;

    // Runs until stopped; the exit status.
    int Run(GdkDisplay* display, bool layerShell);

private:
    static gboolean OnControl(gint fd, GIOCondition, gpointer self);
    static void OnPageEvent(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent, gpointer self);
    static gboolean OnPageCheck(gpointer self);
    std::string Command(const std::string& line);
    void WatchPage();
    void CheckPage();

    ControlServer server_;
    std::string pagePath_;
    TWallpaperPage page_;
    WebKitWebContext* context_ = nullptr;
    std::unique_ptr<WallpaperScheme> scheme_;
    std::unique_ptr<Desktop> desktop_;
    GFileMonitor* monitor_ = nullptr;
    guint controlSource_ = 0;
    guint checkSource_ = 0;
};

// The page in an ordinary window, for an author to look at; runs until the window is closed.
int RunPreviewWindow(const std::string& pagePath, const TWallpaperPage& page);

// Where the movie player's files are: web/ beside this program.
std::string PlayerWebFolder();
