#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

// One monitor's wallpaper: a borderless window on the desktop layer holding a web view. On X11
// it is a desktop-type window below every other, on all workspaces, outside the taskbar and
// pager, never focused; on Wayland it is a surface of the compositor's background layer.
class DesktopWindow {
public:
    DesktopWindow(GdkMonitor* monitor, WebKitWebView* view, bool layerShell);
    ~DesktopWindow();
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;

    GdkMonitor* Monitor() const { return monitor_; }
    GtkWidget* Widget() const { return window_; }
    WebKitWebView* View() const { return view_; }
    GdkRectangle Area() const;

    // Follows the monitor's geometry.
    void Place();
    // Whether the X server says some other window hides all of it.
    bool Obscured() const { return obscured_; }
    // Stops or resumes drawing the page; the window itself stays, so that it hears when it can
    // be seen again.
    void SetPlaying(bool playing);

    void SetOnVisibilityChange(void (*callback)(void*), void* data);

private:
    static gboolean OnVisibility(GtkWidget*, GdkEventVisibility* event, gpointer self);
    static void OnMap(GtkWidget* widget, gpointer);

    GdkMonitor* monitor_;
    GtkWidget* window_;
    WebKitWebView* view_;
    bool layerShell_;
    bool obscured_ = false;
    bool playing_ = true;
    void (*onChange_)(void*) = nullptr;
    void* onChangeData_ = nullptr;
};
