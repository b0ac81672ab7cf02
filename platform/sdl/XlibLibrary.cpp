#include "platform/sdl/XlibLibrary.h"

#include "platform/sdl/DynamicLibrary.h"

namespace xlib {

#define MERROWIN_XLIB_DEFINE(name) decltype(&::name) name = nullptr;
MERROWIN_XLIB_FUNCTIONS(MERROWIN_XLIB_DEFINE)
#undef MERROWIN_XLIB_DEFINE

bool Load(std::string& why)
{
#define MERROWIN_XLIB_SYMBOL(name) {#name, reinterpret_cast<void**>(&name)},
    static const std::string failure = LoadLibrarySymbols("libX11.so.6", {MERROWIN_XLIB_FUNCTIONS(MERROWIN_XLIB_SYMBOL)});
#undef MERROWIN_XLIB_SYMBOL
    why = failure;
    return failure.empty();
}

} // namespace xlib
