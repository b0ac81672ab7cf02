#pragma once

#include "platform/SystemServices.h"

// The Active Desktop object of the shell. COM must be initialised on the calling thread.
std::unique_ptr<WallpaperService> StartActiveDesktop();

// The system's message for a COM or Windows error code, without its final line break.
std::string SystemErrorText(int32_t code);
