#include "player/app/X11Watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <gdk/gdkx.h>

namespace {

const unsigned long kAllDesktops = 0xFFFFFFFF;

Display* Xdisplay(GdkDisplay* display)
{
    return GDK_DISPLAY_XDISPLAY(display);
}

Atom Intern(Display* x, const char* name)
{
    return XInternAtom(x, name, False);
}

// A property of 32-bit items (windows, cardinals, atoms), as longs the way Xlib returns them.
std::vector<unsigned long> LongsOf(Display* x, Window window, Atom property, Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    if (XGetWindowProperty(x, window, property, 0, 4096, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data && format == 32) {
        const auto* items = reinterpret_cast<unsigned long*>(data);
        out.assign(items, items + count);
    }
    if (data)
        XFree(data);
    return out;
}

bool HasAtom(const std::vector<unsigned long>& atoms, Atom atom)
{
    for (unsigned long item : atoms) {
        if (item == atom)
            return true;
    }
    return false;
}

} // namespace

X11Watch::X11Watch(GdkDisplay* display, std::function<void()> changed) : display_(display), changed_(std::move(changed))
{
    Display* x = Xdisplay(display_);
    atoms_ = {Intern(x, "_NET_CLIENT_LIST"),      Intern(x, "_NET_CLIENT_LIST_STACKING"),
              Intern(x, "_NET_CURRENT_DESKTOP"),  Intern(x, "_NET_WM_DESKTOP"),
              Intern(x, "_NET_WM_STATE"),         Intern(x, "_NET_WM_STATE_HIDDEN"),
              Intern(x, "_NET_WM_WINDOW_TYPE"),   Intern(x, "_NET_WM_WINDOW_TYPE_DESKTOP")};
    GdkWindow* root = gdk_get_default_root_window();
    gdk_window_set_events(root, GdkEventMask(gdk_window_get_events(root) | GDK_PROPERTY_CHANGE_MASK));
    int errorBase = 0;
    if (XScreenSaverQueryExtension(x, &screenSaverEvent_, &errorBase)) {
        XScreenSaverSelectInput(x, DefaultRootWindow(x), ScreenSaverNotifyMask);
        XScreenSaverInfo* info = XScreenSaverAllocInfo();
        if (info && XScreenSaverQueryInfo(x, DefaultRootWindow(x), info))
            screenSaverOn_ = info->state == ScreenSaverOn;
        if (info)
            XFree(info);
    } else {
        screenSaverEvent_ = -1;
    }
    gdk_window_add_filter(nullptr, &X11Watch::OnEvent, this);
    WatchClients();
}

X11Watch::~X11Watch()
{
    gdk_window_remove_filter(nullptr, &X11Watch::OnEvent, this);
    if (pending_)
        g_source_remove(pending_);
}

GdkFilterReturn X11Watch::OnEvent(GdkXEvent* event, GdkEvent*, gpointer self)
{
    static_cast<X11Watch*>(self)->Handle(event);
    return GDK_FILTER_CONTINUE;
}

void X11Watch::Handle(void* xevent)
{
    const XEvent* event = static_cast<const XEvent*>(xevent);
    Display* x = Xdisplay(display_);
    if (screenSaverEvent_ >= 0 && event->type == screenSaverEvent_ + ScreenSaverNotify) {
        screenSaverOn_ = reinterpret_cast<const XScreenSaverNotifyEvent*>(event)->state == ScreenSaverOn;
        Changed();
        return;
    }
    switch (event->type) {
    case PropertyNotify:
        if (event->xproperty.window == DefaultRootWindow(x)) {
            const Atom atom = event->xproperty.atom;
            if (atom == atoms_.stacking || atom == atoms_.clientList)
                WatchClients();
            if (atom == atoms_.stacking || atom == atoms_.currentDesktop)
                Changed();
        } else if (event->xproperty.atom == atoms_.wmState || event->xproperty.atom == atoms_.wmDesktop) {
            Changed();
        }
        break;
    case ConfigureNotify:
    case MapNotify:
    case UnmapNotify:
        Changed();
        break;
    default:
        break;
    }
}

// Asks to hear when any other program's window moves, maps or changes state.
void X11Watch::WatchClients()
{
    Display* x = Xdisplay(display_);
    gdk_x11_display_error_trap_push(display_);
    for (unsigned long client : LongsOf(x, DefaultRootWindow(x), atoms_.clientList, XA_WINDOW)) {
        if (!gdk_x11_window_lookup_for_display(display_, client))
            XSelectInput(x, client, StructureNotifyMask | PropertyChangeMask);
    }
    gdk_x11_display_error_trap_pop_ignored(display_);
}

// Many notices come at once when windows move: one look once they have settled.
void X11Watch::Changed()
{
    if (pending_)
        return;
    pending_ = g_timeout_add(
        50,
        [](gpointer self) -> gboolean {
            auto* watch = static_cast<X11Watch*>(self);
            watch->pending_ = 0;
            watch->changed_();
            return G_SOURCE_REMOVE;
        },
        this);
}

std::vector<TScreenRect> X11Watch::VisibleClients() const
{
    Display* x = Xdisplay(display_);
    const Window root = DefaultRootWindow(x);
    std::vector<TScreenRect> rects;
    const auto current = LongsOf(x, root, atoms_.currentDesktop, XA_CARDINAL);
    gdk_x11_display_error_trap_push(display_);
    for (unsigned long client : LongsOf(x, root, atoms_.stacking, XA_WINDOW)) {
        if (gdk_x11_window_lookup_for_display(display_, client))
            continue; // ours
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(x, client, &attributes) || attributes.map_state != IsViewable)
            continue;
        const auto desktop = LongsOf(x, client, atoms_.wmDesktop, XA_CARDINAL);
        if (!current.empty() && !desktop.empty() && desktop[0] != kAllDesktops && desktop[0] != current[0])
            continue;
        if (HasAtom(LongsOf(x, client, atoms_.wmState, XA_ATOM), atoms_.hidden) ||
            HasAtom(LongsOf(x, client, atoms_.windowType, XA_ATOM), atoms_.desktopType))
            continue;
        int rootX = 0;
        int rootY = 0;
        Window child = None;
        if (!XTranslateCoordinates(x, client, root, 0, 0, &rootX, &rootY, &child))
            continue;
        rects.push_back({rootX, rootY, attributes.width, attributes.height});
    }
    gdk_x11_display_error_trap_pop_ignored(display_);
    return rects;
}
