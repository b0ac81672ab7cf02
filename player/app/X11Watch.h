#pragma once

#include "player/core/Coverage.h"

#include <functional>
#include <gdk/gdk.h>
#include <vector>

// What an X11 desktop tells about whether the wallpaper can be seen: the windows of other
// programs on the current workspace (from the window manager's stacking list), and whether the
// X server's screen saver has blanked the screen. Calls `changed` whenever either may differ.
class X11Watch {
public:
    X11Watch(GdkDisplay* display, std::function<void()> changed);
    ~X11Watch();
    X11Watch(const X11Watch&) = delete;
    X11Watch& operator=(const X11Watch&) = delete;

    bool ScreenBlanked() const { return screenSaverOn_; }
    // Whether other programs' windows on the current workspace hide all of `area`.
    bool Covers(const TScreenRect& area) const;

private:
    static GdkFilterReturn OnEvent(GdkXEvent* event, GdkEvent*, gpointer self);
    void Handle(void* xevent);
    void WatchClients();
    std::vector<TScreenRect> VisibleClients() const;
    void Changed();

    GdkDisplay* display_;
    std::function<void()> changed_;
    int screenSaverEvent_ = -1;
    bool screenSaverOn_ = false;
    guint pending_ = 0;
};
