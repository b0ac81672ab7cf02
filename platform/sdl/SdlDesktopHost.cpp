#include "platform/DesktopHost.h"

#include "platform/sdl/SdlHost.h"

const char* DesktopHostName() { return "sdl"; }

std::unique_ptr<WindowHost> OpenDesktopHost(std::string& why) { return SdlHost::Open(why); }
