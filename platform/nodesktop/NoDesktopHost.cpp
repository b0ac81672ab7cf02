#include "platform/DesktopHost.h"

const char* DesktopHostName()
{
    return "";
}

std::unique_ptr<WindowHost> OpenDesktopHost(std::string& why)
{
    why = "this build has no desktop window host";
    return nullptr;
}
