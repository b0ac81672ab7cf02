#include "platform/DesktopHost.h"

#include "platform/win32/Win32Host.h"

const char* DesktopHostName() { return "win32"; }

// Without a display (Wine with no X server) this fails, and the program's host choice falls
// back to the headless host or, when win32 was asked for by name, stops with the reason.
std::unique_ptr<WindowHost> OpenDesktopHost(std::string& why) { return Win32Host::Open(why); }
