#pragma once

#include "platform/FontEngine.h"

#include <memory>

// The font engine every canvas measures and draws text with. The program (or a test) installs
// the platform's engine at start-up; until one is installed, canvases use the box engine, which
// needs no font files and draws every character as a box of a fixed size.
void SetFontEngine(std::shared_ptr<FontEngine> engine);
FontEngine& CurrentFontEngine();
// The installed engine itself, so a caller can put it back after swapping in another.
std::shared_ptr<FontEngine> InstalledFontEngine();
