#include "platform/win32/Dpi.h"

#include "platform/PixelScale.h"

namespace {

// Both functions came after the oldest Windows the program runs on, so they are looked up.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Function>
Function Lookup(const wchar_t* library, const char* name, bool load)
{
    HMODULE module = load ? LoadLibraryW(library) : GetModuleHandleW(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

} // namespace

int MonitorDpi(HMONITOR monitor)
{
    static const auto getDpiForMonitor = Lookup<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor", true);
    UINT x = 0, y = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return SystemDpi();
}

int WindowDpi(HWND window)
{
    static const auto getDpiForWindow = Lookup<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow", false);
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window); dpi > 0)
            return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int ScaleNear(const RECT& screen) { return ScaleForDpi(MonitorDpi(MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST))); }

int ScaleAt(POINT screen) { return ScaleForDpi(MonitorDpi(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST))); }
