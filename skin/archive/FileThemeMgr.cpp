#include "skin/archive/FileThemeMgr.h"

#include "platform/SystemServices.h"

#include <exception>

TsuiFileThemeMgr::TsuiFileThemeMgr(SystemServices& services) : services_(services) {}

bool TsuiFileThemeMgr::LoadFromFile(const std::string& fileName, const std::string& password)
{
    if (!services_.FileExists(fileName))
        return false;
    reader_.reset();
    try {
        auto reader = std::make_unique<Tsk2SkinFileReader>(fileName, password, services_);
        if (!reader->Loaded())
            return false;
        reader_ = std::move(reader);
        return true;
    } catch (const std::exception&) {
        // A broken skin only leaves the theme not ready; controls fall back to a built-in style.
        return false;
    }
}

TBitmap* TsuiFileThemeMgr::GetBitmap(TsuiSkinBitmapKey key) const
{
    const char* name = SkinKeyName(key);
    return reader_ && name ? reader_->GetBitmap(name) : nullptr;
}

bool TsuiFileThemeMgr::GetFlag(TsuiSkinFlagKey key) const
{
    const char* name = SkinKeyName(key);
    return reader_ && name && reader_->GetFlag(name) != 0;
}

TColor TsuiFileThemeMgr::GetColor(TsuiSkinColorKey key) const
{
    if (!reader_)
        return 0;
    const char* name = SkinKeyName(key);
    return name ? reader_->GetInteger(name) : -1;
}

int32_t TsuiFileThemeMgr::GetInteger(TsuiSkinIntKey key) const
{
    if (!reader_)
        return 0;
    const char* name = SkinKeyName(key);
    return name ? reader_->GetInteger(name) : -1;
}
