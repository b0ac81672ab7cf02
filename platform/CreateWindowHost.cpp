#include "platform/DesktopHost.h"
#include "platform/WindowHost.h"
#include "platform/headless/HeadlessHost.h"

#include <cstdio>
#include <cstdlib>
#include <string>

std::unique_ptr<WindowHost> CreateWindowHost()
{
    const char* value = std::getenv("MERROWIN_BACKEND");
    const std::string backend = value ? value : "";
    const std::string desktop = DesktopHostName();
    if (backend == "headless")
        return HeadlessHost::FromEnvironment();
    std::string why;
    if (backend.empty()) {
        // A desktop when there is one; a machine without a display still installs, headless.
        if (!desktop.empty())
            if (std::unique_ptr<WindowHost> host = OpenDesktopHost(why))
                return host;
        return HeadlessHost::FromEnvironment();
    }
    if (!desktop.empty() && backend == desktop) {
        std::unique_ptr<WindowHost> host = OpenDesktopHost(why);
        if (!host)
            std::fprintf(stderr, "MERROWIN_BACKEND=%s: %s\n", backend.c_str(), why.c_str());
        return host;
    }
    std::fprintf(stderr, "MERROWIN_BACKEND=%s: no such window host in this build (known: headless%s%s)\n",
                 backend.c_str(), desktop.empty() ? "" : ", ", desktop.c_str());
    return nullptr;
}
