#pragma once

#include <X11/Xlib.h>

#include <string>

// The few Xlib functions the SDL host calls itself, opened as SDL2 is (see SdlLibrary.h).
namespace xlib {

#define MERROWIN_XLIB_FUNCTIONS(X) \
    X(XCloseDisplay)               \
    X(XOpenDisplay)                \
    X(XResourceManagerString)      \
    X(XSetErrorHandler)

#define MERROWIN_XLIB_DECLARE(name) extern decltype(&::name) name;
MERROWIN_XLIB_FUNCTIONS(MERROWIN_XLIB_DECLARE)
#undef MERROWIN_XLIB_DECLARE

// Opens Xlib the first time; false, with the reason in `why`, when it cannot.
bool Load(std::string& why);

} // namespace xlib
