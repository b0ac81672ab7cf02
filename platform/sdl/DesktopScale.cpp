#include "platform/sdl/DesktopScale.h"

#include "platform/PixelScale.h"

#if MERROWIN_SDL_X11
#include "platform/sdl/XlibLibrary.h"
#endif

#include <cmath>
#include <cstdlib>

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// A decimal number such as "192" or "144.5"; 0 when the text is not one or is out of reach.
int Dpi(std::string_view text)
{
    const std::string digits(text);
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (digits.empty() || end != digits.c_str() + digits.size() || !(value > 0) || value > 10000)
        return 0;
    return static_cast<int>(std::lround(value));
}

} // namespace

int XftDpi(std::string_view resources)
{
    int dpi = 0;
    // One resource a line, "name:\tvalue"; a later line of the same name wins, as in xrdb.
    while (!resources.empty()) {
        const size_t end = resources.find('\n');
        std::string_view line = resources.substr(0, end);
        resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos && Trim(line.substr(0, colon)) == "Xft.dpi")
            dpi = Dpi(Trim(line.substr(colon + 1)));
    }
    return dpi;
}

int DesktopScale(const char* gdkScale, std::string_view xResources)
{
    if (gdkScale && *gdkScale) {
        char* end = nullptr;
        const long scale = std::strtol(gdkScale, &end, 10);
        if (*end == '\0' && scale >= 1 && scale <= 100)
            return ScaleForDpi(static_cast<int>(scale) * 96);
    }
    const int dpi = XftDpi(xResources);
    return dpi > 0 ? ScaleForDpi(dpi) : 1;
}

std::string ReadXResources()
{
#if MERROWIN_SDL_X11
    std::string why;
    if (!xlib::Load(why))
        return {};
    Display* display = xlib::XOpenDisplay(nullptr);
    if (!display)
        return {};
    const char* text = xlib::XResourceManagerString(display);
    std::string resources = text ? text : "";
    xlib::XCloseDisplay(display);
    return resources;
#else
    return {};
#endif
}
