#pragma once

#include "skin/archive/FileThemeMgr.h"
#include "skin/archive/SkinKeys.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/graphics/Color.h"

#include <cstdint>
#include <memory>
#include <string>

class SystemServices;
class TBitmap;

// The system services file themes find, extract and load their skins with. The program installs
// its own at start-up, before a window layout creates any theme (themes are made by class, with
// nothing but their owner); a test installs a stand-in. The caller keeps them alive.
void SetFileThemeServices(SystemServices* services);
SystemServices* FileThemeServices();

// A non-visual component that owns one loaded skin file and hands its pictures, colours,
// positions and flags to the skinned controls, which draw from it while it is Ready and their
// UIStyle is FromThemeFile.
//
// Setting ThemeFile loads the first of these that exists: the path as given, then its file name
// in the program's own folder, in the Windows folder and in the system folder. When none exists
// nothing changes. A file that does not load leaves the theme not ready. A load that succeeds
// re-skins the components of the owner form that refer to the theme, and a second skin loaded
// into a theme that the owner's skinned form uses refreshes the window frame.
class TsuiFileTheme : public TComponent {
public:
    // Raises EComponentError when no services are installed.
    explicit TsuiFileTheme(TComponent* owner);
    TsuiFileTheme(TComponent* owner, SystemServices& services);
    ~TsuiFileTheme() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The path of the loaded skin; it changes only when a file was found.
    const std::string& ThemeFile() const { return themeFile_; }
    void SetThemeFile(const std::string& value);
    // The password for an encrypted skin archive. A new non-empty one reloads the current file.
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& value);
    // The last load succeeded.
    bool Ready() const { return ready_; }

    // The theme's own bitmap, or nullptr; the theme keeps it.
    TBitmap* GetBitmap(TsuiSkinBitmapKey key) const;
    // With frameCount and frameIndex both non-zero, frame frameIndex (1-based) of frameCount equal
    // frames side by side; otherwise a copy of the whole bitmap. A key the skin lacks leaves dest
    // empty either way; a nil dest is left alone.
    void CopyBitmap(TsuiSkinBitmapKey key, TBitmap* dest, int frameCount, int frameIndex) const;
    // A key the skin lacks gives false, -1, -1; a theme without a loaded skin false, 0, 0.
    bool GetFlag(TsuiSkinFlagKey key) const;
    TColor GetColor(TsuiSkinColorKey key) const;
    int32_t GetInteger(TsuiSkinIntKey key) const;

protected:
    SystemServices& Services() const { return services_; }

private:
    std::string FindThemeFile(const std::string& value) const;
    void ReskinOwnerForm(bool wasEmpty);

    SystemServices& services_;
    std::unique_ptr<TsuiFileThemeMgr> manager_;
    std::string themeFile_;
    std::string password_;
    bool ready_ = false;
};
