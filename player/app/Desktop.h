#pragma once

#include "player/app/DesktopWindow.h"
#include "player/app/ScreenLock.h"
#include "player/app/WallpaperScheme.h"
#include "player/app/X11Watch.h"

#include <memory>
#include <string>
#include <vector>

// The wallpaper on every monitor of a display: a window per monitor, following monitors as
// they come, go and change size, all showing the one page. A window's page is drawn only while
// it can be seen: not hidden under other windows, not under a full-screen one, not while the
// screen is locked or blanked.
class Desktop {
public:
    Desktop(GdkDisplay* display, WebKitWebContext* context, WallpaperScheme& scheme, bool layerShell);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    void Show(const TWallpaperPage& page);

private:
    static void OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self);
    static void OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self);
    static void OnGeometry(GdkMonitor* monitor, GParamSpec*, gpointer self);
    static void OnVisibility(void* self);
    void Add(GdkMonitor* monitor);
    void Load(DesktopWindow& window);
    void UpdatePlaying();
    bool CanBeSeen(const DesktopWindow& window, const std::vector<TScreenRect>& clients) const;

    GdkDisplay* display_;
    WebKitWebContext* context_;
    WallpaperScheme& scheme_;
    bool layerShell_;
    std::string address_;
    std::vector<std::unique_ptr<DesktopWindow>> windows_;
    std::unique_ptr<X11Watch> x11_;
    ScreenLock lock_;
};
