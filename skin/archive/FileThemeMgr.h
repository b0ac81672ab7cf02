#pragma once

#include "skin/archive/SkinFileReader.h"
#include "skin/archive/SkinKeys.h"
#include "toolkit/graphics/Color.h"

#include <memory>
#include <string>

class SystemServices;

// Holds one loaded skin and answers by key. A skin that cannot be read never raises here: the
// manager is simply left without a reader, and lookups give their "none" values (nullptr,
// false, 0); a skin that lacks a key gives nullptr, false or -1.
class TsuiFileThemeMgr {
public:
    explicit TsuiFileThemeMgr(SystemServices& services);

    // False, keeping the current reader, when no file of that name exists. Otherwise the current
    // reader goes, and the new one stays only when it loaded.
    bool LoadFromFile(const std::string& fileName, const std::string& password);

    Tsk2SkinFileReader* Reader() const { return reader_.get(); }

    TBitmap* GetBitmap(TsuiSkinBitmapKey key) const;
    bool GetFlag(TsuiSkinFlagKey key) const;
    TColor GetColor(TsuiSkinColorKey key) const;
    int32_t GetInteger(TsuiSkinIntKey key) const;

private:
    SystemServices& services_;
    std::unique_ptr<Tsk2SkinFileReader> reader_;
};
