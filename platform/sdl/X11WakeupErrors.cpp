#include "platform/sdl/X11WakeupErrors.h"

#if MERROWIN_SDL_X11

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

XErrorHandler previous = nullptr;

int HandleError(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return previous ? previous(display, error) : 0;
}

}  // namespace

X11WakeupErrors::X11WakeupErrors() { previous = XSetErrorHandler(HandleError); }

X11WakeupErrors::~X11WakeupErrors()
{
    XSetErrorHandler(previous);
    previous = nullptr;
}

#else

// Built without Xlib's headers: nothing to guard against that this build could reach.
X11WakeupErrors::X11WakeupErrors() = default;
X11WakeupErrors::~X11WakeupErrors() = default;

#endif
