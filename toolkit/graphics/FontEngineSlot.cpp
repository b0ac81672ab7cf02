#include "toolkit/graphics/FontEngineSlot.h"

#include "toolkit/graphics/BoxFontEngine.h"

namespace {

std::shared_ptr<FontEngine>& Installed()
{
    static std::shared_ptr<FontEngine> engine;
    return engine;
}

} // namespace

void SetFontEngine(std::shared_ptr<FontEngine> engine) { Installed() = std::move(engine); }

std::shared_ptr<FontEngine> InstalledFontEngine() { return Installed(); }

FontEngine& CurrentFontEngine()
{
    static TBoxFontEngine boxes;
    FontEngine* engine = Installed().get();
    return engine ? *engine : boxes;
}
