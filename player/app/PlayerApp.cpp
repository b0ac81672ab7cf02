#include "player/app/PlayerApp.h"

#include "player/app/Desktop.h"
#include "player/app/WallpaperScheme.h"
#include "player/app/WallpaperView.h"

#include <climits>
#include <glib-unix.h>
#include <unistd.h>

namespace {

// A folder deleted together with its parent is not always told to a file monitor: a slow look
// as well catches it.
const guint kPageCheckSeconds = 5;

} // namespace

std::string PlayerWebFolder()
{
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return "web";
    return FolderOf(std::string(self, static_cast<size_t>(n))) + "/web";
}

PlayerApp::PlayerApp(ControlServer server, std::string pagePath, TWallpaperPage page)
    : server_(std::move(server)), pagePath_(std::move(pagePath)), page_(std::move(page))
{
}

PlayerApp::~PlayerApp()
{
    if (controlSource_)
        g_source_remove(controlSource_);
    if (checkSource_)
        g_source_remove(checkSource_);
    if (monitor_)
        g_object_unref(monitor_);
    desktop_.reset();
    scheme_.reset();
    if (context_)
        g_object_unref(context_);
}

int PlayerApp::Run(GdkDisplay* display, bool layerShell)
{
    context_ = CreateWallpaperContext();
    scheme_ = std::make_unique<WallpaperScheme>(context_, PlayerWebFolder());
    desktop_ = std::make_unique<Desktop>(display, context_, *scheme_, layerShell);
    desktop_->Show(page_);
    WatchPage();
    controlSource_ = g_unix_fd_add(server_.ListeningFd(), G_IO_IN, &PlayerApp::OnControl, this);
    checkSource_ = g_timeout_add_seconds(kPageCheckSeconds, &PlayerApp::OnPageCheck, this);
    gtk_main();
    return 0;
}

gboolean PlayerApp::OnControl(gint, GIOCondition, gpointer self)
{
    auto* app = static_cast<PlayerApp*>(self);
    int connection = -1;
    if (const auto line = app->server_.Receive(connection))
        ControlServer::Answer(connection, app->Command(*line));
    return G_SOURCE_CONTINUE;
}

std::string PlayerApp::Command(const std::string& line)
{
    if (line == "stop") {
        gtk_main_quit();
        return "ok";
    }
    if (line.rfind("page ", 0) != 0)
        return "error unknown command";
    const std::string path = line.substr(5);
    auto page = ReadWallpaperPage(path);
    if (!page)
        return "error cannot read the page " + path;
    pagePath_ = path;
    page_ = std::move(*page);
    desktop_->Show(page_);
    WatchPage();
    return "ok";
}

void PlayerApp::WatchPage()
{
    if (monitor_)
        g_object_unref(monitor_);
    GFile* file = g_file_new_for_path(pagePath_.c_str());
    monitor_ = g_file_monitor_file(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
    g_object_unref(file);
    if (monitor_)
        g_signal_connect(monitor_, "changed", G_CALLBACK(OnPageEvent), this);
}

void PlayerApp::OnPageEvent(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent, gpointer self)
{
    static_cast<PlayerApp*>(self)->CheckPage();
}

gboolean PlayerApp::OnPageCheck(gpointer self)
{
    static_cast<PlayerApp*>(self)->CheckPage();
    return G_SOURCE_CONTINUE;
}

// Deleting the wallpaper's folder is how a user removes it: the player goes with it.
void PlayerApp::CheckPage()
{
    if (access(pagePath_.c_str(), F_OK) != 0)
        gtk_main_quit();
}

int RunPreviewWindow(const std::string& pagePath, const TWallpaperPage& page)
{
    WebKitWebContext* context = CreateWallpaperContext();
    WallpaperScheme scheme(context, PlayerWebFolder());
    WebKitWebView* view = CreateWallpaperView(context, nullptr);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    const std::string title = "Merrowin wallpaper — " + pagePath;
    gtk_window_set_title(GTK_WINDOW(window), title.c_str());
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(view));
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    webkit_web_view_load_uri(view, scheme.Serve(page).c_str());
    gtk_widget_show_all(window);
    gtk_main();
    g_object_unref(context);
    return 0;
}
