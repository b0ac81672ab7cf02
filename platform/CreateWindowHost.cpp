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
            std::fputs(("MERROWIN_BACKEND=" + backend + ": " + why + "\n").c_str(), stderr);
        return host;
    }
    std::fputs(("MERROWIN_BACKEND=" + backend + ": no such window host in this build (known: headless" +
                (desktop.empty() ? "" : ", ") + desktop + ")\n")
                   .c_str(),
               stderr);
    return nullptr;
}
