#include "platform/sdl/X11WakeupErrors.h"

#if MERROWIN_SDL_X11

#include "platform/sdl/XlibLibrary.h"

#include <X11/Xproto.h>
#include <string>

namespace {

XErrorHandler previous = nullptr;

int HandleError(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return previous ? previous(display, error) : 0;
}

}  // namespace

X11WakeupErrors::X11WakeupErrors()
{
    std::string why;
    installed_ = xlib::Load(why);
    if (installed_)
        previous = xlib::XSetErrorHandler(HandleError);
}

X11WakeupErrors::~X11WakeupErrors()
{
    if (!installed_)
        return;
    xlib::XSetErrorHandler(previous);
    previous = nullptr;
}

#else

// Built without Xlib's headers: nothing to guard against that this build could reach.
X11WakeupErrors::X11WakeupErrors() { static_cast<void>(installed_); }
X11WakeupErrors::~X11WakeupErrors() = default;

#endif
