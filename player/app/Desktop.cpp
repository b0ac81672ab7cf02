#include "player/app/Desktop.h"

#include "player/app/WallpaperView.h"

#include <algorithm>
#include <gdk/gdkx.h>

Desktop::Desktop(GdkDisplay* display, WebKitWebContext* context, WallpaperScheme& scheme, bool layerShell)
    : display_(display), context_(context), scheme_(scheme), layerShell_(layerShell),
      lock_([this] { UpdatePlaying(); })
{
    if (GDK_IS_X11_DISPLAY(display_))
        x11_ = std::make_unique<X11Watch>(display_, [this] { UpdatePlaying(); });
    g_signal_connect(display_, "monitor-added", G_CALLBACK(OnMonitorAdded), this);
    g_signal_connect(display_, "monitor-removed", G_CALLBACK(OnMonitorRemoved), this);
    for (int i = 0; i < gdk_display_get_n_monitors(display_); ++i)
        Add(gdk_display_get_monitor(display_, i));
}

Desktop::~Desktop()
{
    g_signal_handlers_disconnect_by_data(display_, this);
    for (const auto& window : windows_)
        g_signal_handlers_disconnect_by_data(window->Monitor(), this);
}

void Desktop::Show(const TWallpaperPage& page)
{
    address_ = scheme_.Serve(page);
    for (const auto& window : windows_)
        Load(*window);
}

void Desktop::Load(DesktopWindow& window)
{
    if (!address_.empty())
        webkit_web_view_load_uri(window.View(), address_.c_str());
}

void Desktop::Add(GdkMonitor* monitor)
{
    // Extra monitors share the first one's web process rather than starting one each.
    WebKitWebView* related = windows_.empty() ? nullptr : windows_.front()->View();
    WebKitWebView* view = CreateWallpaperView(context_, related);
    windows_.push_back(std::make_unique<DesktopWindow>(monitor, view, layerShell_));
    windows_.back()->SetOnVisibilityChange(&Desktop::OnVisibility, this);
    g_signal_connect(monitor, "notify::geometry", G_CALLBACK(OnGeometry), this);
    Load(*windows_.back());
    UpdatePlaying();
}

void Desktop::OnMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer self)
{
    static_cast<Desktop*>(self)->Add(monitor);
}

void Desktop::OnMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer self)
{
    auto* desktop = static_cast<Desktop*>(self);
    g_signal_handlers_disconnect_by_data(monitor, desktop);
    auto& windows = desktop->windows_;
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [monitor](const auto& window) { return window->Monitor() == monitor; }),
                  windows.end());
}

void Desktop::OnGeometry(GdkMonitor* monitor, GParamSpec*, gpointer self)
{
    auto* desktop = static_cast<Desktop*>(self);
    for (const auto& window : desktop->windows_) {
        if (window->Monitor() == monitor)
            window->Place();
    }
    desktop->UpdatePlaying();
}

void Desktop::OnVisibility(void* self)
{
    static_cast<Desktop*>(self)->UpdatePlaying();
}

bool Desktop::CanBeSeen(const DesktopWindow& window, const std::vector<TScreenRect>& clients) const
{
    if (lock_.Active() || window.Obscured() || (x11_ && x11_->ScreenBlanked()))
        return false;
    // The stacking list is in the X server's pixels, the monitor's geometry in the desktop's.
    const GdkRectangle area = window.Area();
    const int scale = gdk_monitor_get_scale_factor(window.Monitor());
    return !IsFullyCovered({area.x * scale, area.y * scale, area.width * scale, area.height * scale}, clients);
}

void Desktop::UpdatePlaying()
{
    // One look at the other programs' windows serves every monitor.
    const std::vector<TScreenRect> clients = x11_ ? x11_->VisibleClients() : std::vector<TScreenRect>{};
    for (const auto& window : windows_)
        window->SetPlaying(CanBeSeen(*window, clients));
}
