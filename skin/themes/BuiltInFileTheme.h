#pragma once

#include "skin/themes/FileTheme.h"

#include <string>

// A file theme that carries its skin file's bytes in the window layout ("SkinData"), so that a
// program needs no skin file beside it. Its own ThemeFile is the design-time path whose file's
// bytes a layout stores; loading that path on the user's machine is only attempted as for any
// theme and usually finds nothing.
//
// Reading SkinData writes the bytes to a fresh temporary file (the temporary folder, a new GUID
// and ".ssk", made unique with 1, 2, 3 ... before the extension), loads the skin from it with the
// inherited ThemeFile setter and always deletes it again. A file that cannot be written is tried
// under a new GUID, at most kMaxSaveAttempts times; after that the theme stays as it was.
class TsuiBuiltInFileTheme : public TsuiFileTheme {
public:
    static constexpr int kMaxSaveAttempts = 8;
    // Numbers tried after one GUID's name before the next GUID is taken.
    static constexpr int kMaxNameSuffix = 1000;

    explicit TsuiBuiltInFileTheme(TComponent* owner);
    TsuiBuiltInFileTheme(TComponent* owner, SystemServices& services);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The design-time path. Setting it also runs the inherited setter with the same path; the
    // inherited ThemeFile (TsuiFileTheme::ThemeFile) is the file last loaded, which after a
    // SkinData read names the temporary file, gone by then.
    const std::string& ThemeFile() const { return designFile_; }
    void SetThemeFile(const std::string& value);

    // What a layout stores: the bytes of the file at the design-time path; empty when there is
    // no such file.
    std::string SkinData() const;
    // Loads the skin from stored bytes.
    void ReadSkinData(const std::string& bytes);

private:
    std::string UniqueTemporaryName() const;
    std::string SaveTemporaryCopy(const std::string& bytes) const;

    std::string designFile_;
};
