#include "platform/DesktopHost.h"
#include "platform/WindowHost.h"
#include "platform/headless/HeadlessHost.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void SayLine(const std::string& text)
{
    std::fputs((text + "\n").c_str(), stderr);
}

} // namespace

std::unique_ptr<WindowHost> CreateWindowHost()
{
    const char* value = std::getenv("MERROWIN_BACKEND");
    const std::string backend = value ? value : "";
    const std::string desktop = DesktopHostName();
    if (backend == "headless")
        return HeadlessHost::FromEnvironment();
    std::string why;
    if (backend.empty()) {
        // A desktop when there is one. Off screen only a script can drive the program: without
        // one it would close its window at once and end as if all had gone well.
        if (desktop.empty())
            why = "this build has no desktop host";
        else if (std::unique_ptr<WindowHost> host = OpenDesktopHost(why))
            return host;
        const char* script = std::getenv("MERROWIN_SCRIPT");
        const bool scripted = script && *script;
        SayLine("cannot show a window (" + why + ")" + (scripted ? ", so the program runs off screen as its script says" : ""));
        if (scripted)
            return HeadlessHost::FromEnvironment();
        return nullptr;
    }
    if (!desktop.empty() && backend == desktop) {
        std::unique_ptr<WindowHost> host = OpenDesktopHost(why);
        if (!host)
            SayLine("MERROWIN_BACKEND=" + backend + ": " + why);
        return host;
    }
    SayLine("MERROWIN_BACKEND=" + backend + ": no such window host in this build (known: headless" +
            (desktop.empty() ? "" : ", ") + desktop + ")");
    return nullptr;
}
