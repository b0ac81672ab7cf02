#include "platform/WindowHost.h"
#include "platform/headless/HeadlessHost.h"

#include <cstdio>
#include <cstdlib>
#include <string>

std::unique_ptr<WindowHost> CreateWindowHost()
{
    const char* value = std::getenv("MERROWIN_BACKEND");
    const std::string backend = value ? value : "";
    if (backend.empty() || backend == "headless")
        return HeadlessHost::FromEnvironment();
    std::fprintf(stderr, "MERROWIN_BACKEND=%s: no such window host in this build (known: headless)\n",
                 backend.c_str());
    return nullptr;
}
