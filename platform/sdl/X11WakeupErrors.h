#pragma once

// SDL's X11 driver wakes its own event wait by sending an event to one of the program's windows
// over a second display connection. When that window is closed before the X server gets to the
// event (a message box that was just answered), the server reports BadWindow, and Xlib's
// default handler ends the program for it. While one of these exists, failed sends to windows
// that are gone are ignored; every other error still goes to the handler that was there before.
class X11WakeupErrors {
public:
    X11WakeupErrors();
    ~X11WakeupErrors();
    X11WakeupErrors(const X11WakeupErrors&) = delete;
    X11WakeupErrors& operator=(const X11WakeupErrors&) = delete;

private:
    bool installed_ = false;  // false when Xlib could not be opened: nothing to guard then
};
