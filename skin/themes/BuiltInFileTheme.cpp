#include "skin/themes/BuiltInFileTheme.h"

#include "platform/SystemServices.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

TsuiBuiltInFileTheme::TsuiBuiltInFileTheme(TComponent* owner) : TsuiFileTheme(owner) {}

TsuiBuiltInFileTheme::TsuiBuiltInFileTheme(TComponent* owner, SystemServices& services)
    : TsuiFileTheme(owner, services)
{
}

const TClassInfo& TsuiBuiltInFileTheme::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiBuiltInFileTheme", &TsuiFileTheme::StaticClassInfo(),
        [](TComponent* owner) { return new TsuiBuiltInFileTheme(owner); },
        [](TClassInfo& c) {
            TPublisher<TsuiBuiltInFileTheme>(c)
                .String("ThemeFile", &TsuiBuiltInFileTheme::ThemeFile, &TsuiBuiltInFileTheme::SetThemeFile)
                .Binary("SkinData", &TsuiBuiltInFileTheme::SkinData, &TsuiBuiltInFileTheme::ReadSkinData);
        });
    return info;
}

void TsuiBuiltInFileTheme::SetThemeFile(const std::string& value)
{
    designFile_ = value;
    TsuiFileTheme::SetThemeFile(value);
}

std::string TsuiBuiltInFileTheme::SkinData() const
{
    if (!Services().FileExists(designFile_))
        return {};
    TMemoryStream bytes;
    bytes.LoadFromFile(designFile_);
    return std::string(bytes.View());
}

void TsuiBuiltInFileTheme::ReadSkinData(const std::string& bytes)
{
    const std::string temporary = SaveTemporaryCopy(bytes);
    if (temporary.empty())
        return;
    // The copy goes whatever the load and the re-skinning of the form do.
    struct Remover {
        SystemServices& services;
        const std::string& file;
        ~Remover() { services.RemoveFile(file); }
    } remover{Services(), temporary};
    TsuiFileTheme::SetThemeFile(temporary);
}

// The temporary folder, a fresh GUID and ".ssk"; while a file of that name exists, the GUID
// followed by 1, 2, 3 ... Empty when kMaxNameSuffix numbers are all taken.
std::string TsuiBuiltInFileTheme::UniqueTemporaryName() const
{
    std::string folder = Services().TempPath();
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/'))
        folder += Services().PathSeparator();
    const std::string stem = folder + Services().NewGuid();
    const std::string extension = ".ssk";
    std::string name = stem + extension;
    for (int number = 1; Services().FileExists(name); ++number) {
        if (number > kMaxNameSuffix)
            return {};
        name = stem + std::to_string(number) + extension;
    }
    return name;
}

// Writes the bytes under a unique temporary name and returns it; a name that cannot be written is
// given up for a new one. Empty when every attempt failed.
std::string TsuiBuiltInFileTheme::SaveTemporaryCopy(const std::string& bytes) const
{
    for (int attempt = 0; attempt < kMaxSaveAttempts; ++attempt) {
        const std::string name = UniqueTemporaryName();
        if (name.empty())
            continue;
        bool created = false;
        try {
            TFileStream file(name, TFileStream::fmCreate);
            created = true;
            file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
            return name;
        } catch (const EStreamError&) {
        }
        // Ours but half written (the stream is closed by now): it goes before the next name.
        if (created)
            Services().RemoveFile(name);
    }
    return {};
}
