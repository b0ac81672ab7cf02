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
    // Where the windows of other programs that show on the current workspace are, in the X
    // server's pixels.
    std::vector<TScreenRect> VisibleClients() const;

private:
    static GdkFilterReturn OnEvent(GdkXEvent* event, GdkEvent*, gpointer self);
    void Handle(void* xevent);
    void WatchClients();
    void Changed();

    // The names this watch looks for, asked of the server once.
    struct Atoms {
        unsigned long clientList, stacking, currentDesktop, wmDesktop, wmState, hidden, windowType, desktopType;
    };

    GdkDisplay* display_;
    Atoms atoms_;
    std::function<void()> changed_;
    int screenSaverEvent_ = -1;
    bool screenSaverOn_ = false;
    guint pending_ = 0;
};
