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
        // A desktop when there is one, else off screen. Off screen nothing appears, so the reason
        // is said: on a desktop it is most likely a missing library.
        if (!desktop.empty()) {
            if (std::unique_ptr<WindowHost> host = OpenDesktopHost(why))
                return host;
            const std::string said = "cannot show a window (" + why + "), so the program runs off screen"
                                     " (MERROWIN_BACKEND=headless)\n";
            std::fputs(said.c_str(), stderr);
        }
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
