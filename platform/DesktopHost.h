#pragma once

#include "platform/WindowHost.h"

#include <memory>
#include <string>

// The window host of this build's desktop: SDL2 on Linux, Win32 on Windows. A build without
// one (no SDL2 found) links a stand-in that has no name and never opens.

// Its name, as MERROWIN_BACKEND gives it ("sdl", "win32"); empty when the build has none.
const char* DesktopHostName();

// Opens the desktop host; nullptr when it cannot (no display), with the reason in `why`.
std::unique_ptr<WindowHost> OpenDesktopHost(std::string& why);
