#include "player/app/DesktopWindow.h"

#include <initializer_list>

#ifdef MERROWIN_LAYER_SHELL
#include <gtk-layer-shell.h>
#endif

namespace {

const char kSuspend[] =
    "document.querySelectorAll('ruffle-embed,ruffle-object').forEach(p=>{try{p.ruffle().suspend()}catch(e){}})";
const char kResume[] =
    "document.querySelectorAll('ruffle-embed,ruffle-object').forEach(p=>{try{p.ruffle().resume()}catch(e){}})";

} // namespace

DesktopWindow::DesktopWindow(GdkMonitor* monitor, WebKitWebView* view, bool layerShell)
    : monitor_(GDK_MONITOR(g_object_ref(monitor))), window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)),
      view_(WEBKIT_WEB_VIEW(g_object_ref_sink(view))), layerShell_(layerShell)
{
    GtkWindow* window = GTK_WINDOW(window_);
    gtk_window_set_title(window, "Merrowin wallpaper");
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_window_set_focus_on_map(window, FALSE);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_skip_pager_hint(window, TRUE);
#ifdef MERROWIN_LAYER_SHELL
    if (layerShell_) {
        gtk_layer_init_for_window(window);
        gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_BACKGROUND);
        gtk_layer_set_monitor(window, monitor);
        for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT, GTK_LAYER_SHELL_EDGE_TOP,
                                       GTK_LAYER_SHELL_EDGE_BOTTOM})
            gtk_layer_set_anchor(window, edge, TRUE);
        gtk_layer_set_exclusive_zone(window, -1);
        gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
        gtk_layer_set_namespace(window, "wallpaper");
    }
#endif
    if (!layerShell_) {
        gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DESKTOP);
        gtk_window_set_keep_below(window, TRUE);
        gtk_window_stick(window);
        gtk_widget_add_events(window_, GDK_VISIBILITY_NOTIFY_MASK);
        g_signal_connect(window_, "visibility-notify-event", G_CALLBACK(OnVisibility), this);
        g_signal_connect(window_, "map", G_CALLBACK(OnMap), nullptr);
    }
    gtk_container_add(GTK_CONTAINER(window_), GTK_WIDGET(view_));
    Place();
    gtk_widget_show_all(window_);
}

DesktopWindow::~DesktopWindow()
{
    gtk_widget_destroy(window_);
    g_object_unref(view_);
    g_object_unref(monitor_);
}

GdkRectangle DesktopWindow::Area() const
{
    GdkRectangle area;
    gdk_monitor_get_geometry(monitor_, &area);
    return area;
}

void DesktopWindow::Place()
{
    if (layerShell_)
        return;
    const GdkRectangle area = Area();
    gtk_window_move(GTK_WINDOW(window_), area.x, area.y);
    gtk_window_resize(GTK_WINDOW(window_), area.width, area.height);
    gtk_widget_set_size_request(GTK_WIDGET(view_), area.width, area.height);
}

void DesktopWindow::SetPlaying(bool playing)
{
    if (playing == playing_)
        return;
    playing_ = playing;
    // A view that is not shown is not visible to its page either: the page stops its animation
    // frames and throttles its timers. The movie player is told as well, since it keeps time
    // (and sound) by itself.
    const char* script = playing ? kResume : kSuspend;
    webkit_web_view_evaluate_javascript(view_, script, -1, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (playing)
        gtk_widget_show(GTK_WIDGET(view_));
    else
        gtk_widget_hide(GTK_WIDGET(view_));
}

void DesktopWindow::SetOnVisibilityChange(void (*callback)(void*), void* data)
{
    onChange_ = callback;
    onChangeData_ = data;
}

gboolean DesktopWindow::OnVisibility(GtkWidget*, GdkEventVisibility* event, gpointer self)
{
    auto* window = static_cast<DesktopWindow*>(self);
    window->obscured_ = event->state == GDK_VISIBILITY_FULLY_OBSCURED;
    if (window->onChange_)
        window->onChange_(window->onChangeData_);
    return FALSE;
}

void DesktopWindow::OnMap(GtkWidget* widget, gpointer)
{
    // Without a window manager nothing honours "keep below": a window mapped later is on top. We
    // go to the bottom of the stack ourselves.
    if (GdkWindow* window = gtk_widget_get_window(widget))
        gdk_window_lower(window);
}
