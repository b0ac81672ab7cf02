#include "platform/sdl/SdlLibrary.h"

#include "platform/sdl/DynamicLibrary.h"

namespace sdl {

#define MERROWIN_SDL_DEFINE(name) decltype(&::name) name = nullptr;
MERROWIN_SDL_FUNCTIONS(MERROWIN_SDL_DEFINE)
#undef MERROWIN_SDL_DEFINE

bool Load(std::string& why)
{
    // The soname SDL2 keeps for its whole 2.x line; the functions are those of 2.0.18 and later.
#define MERROWIN_SDL_SYMBOL(name) {#name, reinterpret_cast<void**>(&name)},
    static const std::string failure =
        LoadLibrarySymbols("libSDL2-2.0.so.0", {MERROWIN_SDL_FUNCTIONS(MERROWIN_SDL_SYMBOL)});
#undef MERROWIN_SDL_SYMBOL
    why = failure.empty() ? "" : failure + " (the window needs SDL 2.0.18 or later: libsdl2-2.0-0)";
    return failure.empty();
}

} // namespace sdl
