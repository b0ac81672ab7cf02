#pragma once

#include <SDL.h>
#include <SDL_shape.h>

#include <string>

// SDL2 is opened when the first window needs it, not when the program starts. Its libraries
// (video, audio, input, D-Bus: some fifty of them) took a start longer than everything else the
// installer does before its first frame, and a run without a display needs none of them; nor does
// a system without SDL2 keep the installer from starting, it only keeps it from showing a window.
// The host calls SDL through these pointers, named as SDL names its functions.
namespace sdl {

#define MERROWIN_SDL_FUNCTIONS(X) \
    X(SDL_CaptureMouse) \
    X(SDL_ConvertPixels) \
    X(SDL_CreateRGBSurfaceWithFormat) \
    X(SDL_CreateRGBSurfaceWithFormatFrom) \
    X(SDL_CreateShapedWindow) \
    X(SDL_CreateWindow) \
    X(SDL_Delay) \
    X(SDL_DestroyWindow) \
    X(SDL_FreeSurface) \
    X(SDL_GetCurrentVideoDriver) \
    X(SDL_GetDisplayBounds) \
    X(SDL_GetDisplayUsableBounds) \
    X(SDL_GetError) \
    X(SDL_GetGlobalMouseState) \
    X(SDL_GetKeyboardFocus) \
    X(SDL_GetModState) \
    X(SDL_GetNumVideoDisplays) \
    X(SDL_GetTicks64) \
    X(SDL_GetWindowFlags) \
    X(SDL_GetWindowID) \
    X(SDL_GetWindowPosition) \
    X(SDL_GetWindowSize) \
    X(SDL_GetWindowSurface) \
    X(SDL_HasEvents) \
    X(SDL_HideWindow) \
    X(SDL_InitSubSystem) \
    X(SDL_IsShapedWindow) \
    X(SDL_LockSurface) \
    X(SDL_MinimizeWindow) \
    X(SDL_PollEvent) \
    X(SDL_PumpEvents) \
    X(SDL_Quit) \
    X(SDL_QuitSubSystem) \
    X(SDL_RaiseWindow) \
    X(SDL_RestoreWindow) \
    X(SDL_SetClipboardText) \
    X(SDL_SetHint) \
    X(SDL_SetWindowIcon) \
    X(SDL_SetWindowInputFocus) \
    X(SDL_SetWindowPosition) \
    X(SDL_SetWindowShape) \
    X(SDL_SetWindowSize) \
    X(SDL_SetWindowTitle) \
    X(SDL_ShowWindow) \
    X(SDL_UnlockSurface) \
    X(SDL_UpdateWindowSurface) \
    X(SDL_UpdateWindowSurfaceRects) \
    X(SDL_WaitEventTimeout) \
    X(SDL_WasInit)

#define MERROWIN_SDL_DECLARE(name) extern decltype(&::name) name;
MERROWIN_SDL_FUNCTIONS(MERROWIN_SDL_DECLARE)
#undef MERROWIN_SDL_DECLARE

// Opens SDL2 the first time and finds every function above; false, with the reason in `why`,
// when the library or one of its functions is missing. Later calls answer the same.
bool Load(std::string& why);

} // namespace sdl
