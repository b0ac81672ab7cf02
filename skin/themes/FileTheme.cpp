#include "skin/themes/FileTheme.h"

#include "platform/SystemServices.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/Styles.h"
#include "toolkit/forms/CustomForm.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/messages/Messages.h"

namespace {

SystemServices* installedServices = nullptr;

SystemServices& RequireServices()
{
    if (!installedServices)
        throw EComponentError("file themes need the system services: call SetFileThemeServices first");
    return *installedServices;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The folder part of a path with its final separator, or empty.
std::string FolderOf(const std::string& path)
{
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1]))
            return path.substr(0, i);
    return {};
}

std::string WithSeparator(const std::string& folder, char separator)
{
    return !folder.empty() && IsSeparator(folder.back()) ? folder : folder + separator;
}

// The component publishes a readable FileTheme that holds `theme`.
bool HoldsTheme(const TComponent& component, const TsuiFileTheme* theme)
{
    const TPropertyInfo* info = GetPropInfo(component, "FileTheme");
    if (!info || !info->CanRead())
        return false;
    const TPropertyValue value = info->Read(component);
    return value.Kind() == TPropertyKind::Component && value.AsComponent() == theme;
}

// The name of a path's file: what follows its last "\", "/" or ":". A layout made on Windows
// names its files with backslashes wherever it is read.
std::string ThemeFileName(const std::string& path)
{
    const size_t last = path.find_last_of("\\/:");
    return last == std::string::npos ? path : path.substr(last + 1);
}

} // namespace

void SetFileThemeServices(SystemServices* services) { installedServices = services; }

SystemServices* FileThemeServices() { return installedServices; }

TsuiFileTheme::TsuiFileTheme(TComponent* owner) : TsuiFileTheme(owner, RequireServices()) {}

TsuiFileTheme::TsuiFileTheme(TComponent* owner, SystemServices& services)
    : TComponent(owner), services_(services), manager_(std::make_unique<TsuiFileThemeMgr>(services))
{
}

TsuiFileTheme::~TsuiFileTheme() = default;

const TClassInfo& TsuiFileTheme::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiFileTheme", &TComponent::StaticClassInfo(), [](TComponent* owner) { return new TsuiFileTheme(owner); },
        [](TClassInfo& c) {
            TPublisher<TsuiFileTheme>(c)
                .String("ThemeFile", &TsuiFileTheme::ThemeFile, &TsuiFileTheme::SetThemeFile)
                .String("Password", &TsuiFileTheme::Password, &TsuiFileTheme::SetPassword)
                // Layouts store Ready; what a load makes of the skin decides it, not the layout.
                .Boolean("Ready", &TsuiFileTheme::Ready, [](TsuiFileTheme&, bool) {});
        });
    return info;
}

void TsuiFileTheme::SetThemeFile(const std::string& value)
{
    const bool wasEmpty = themeFile_.empty();
    const std::string found = FindThemeFile(value);
    if (found.empty())
        return;
    themeFile_ = found;
    ready_ = manager_->LoadFromFile(themeFile_, password_);
    if (ready_)
        ReskinOwnerForm(wasEmpty);
}

void TsuiFileTheme::SetPassword(const std::string& value)
{
    password_ = value;
    if (!value.empty())
        TsuiFileTheme::SetThemeFile(themeFile_);
}

std::string TsuiFileTheme::FindThemeFile(const std::string& value) const
{
    if (services_.FileExists(value))
        return value;
    const std::string name = ThemeFileName(value);
    if (name.empty())
        return {};
    for (const std::string& folder :
         {FolderOf(services_.ExecutablePath()), services_.WindowsDirectory(), services_.SystemDirectory()}) {
        // An unknown folder must not turn into the root folder.
        if (folder.empty())
            continue;
        const std::string candidate = WithSeparator(folder, services_.PathSeparator()) + name;
        if (services_.FileExists(candidate))
            return candidate;
    }
    return {};
}

// Every skinned component of the owner form that uses this theme reloads everything from it: its
// FileTheme is set to nil and back through the property, as a layout would set it.
void TsuiFileTheme::ReskinOwnerForm(bool wasEmpty)
{
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form)
        return;
    bool formUsesTheme = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent& component = *form->Components(i);
        if (!HoldsTheme(component, this))
            continue;
        if (IsOfClass(component, "TsuiForm") || IsOfClass(component, "TsuiMDIForm"))
            formUsesTheme = true;
        if (component.ClassName().compare(0, 4, "Tsui") == 0) {
            SetObjectProp(component, "FileTheme", nullptr);
            SetObjectProp(component, "FileTheme", this);
        }
    }
    // A first skin comes before the window is shown; a later one changes the frame's sizes.
    if (formUsesTheme && !wasEmpty)
        form->SetWindowPos(0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TBitmap* TsuiFileTheme::GetBitmap(TsuiSkinBitmapKey key) const { return manager_->GetBitmap(key); }

void TsuiFileTheme::CopyBitmap(TsuiSkinBitmapKey key, TBitmap* dest, int frameCount, int frameIndex) const
{
    if (!dest)
        return;
    const TBitmap* source = manager_->GetBitmap(key);
    if (!source)
        dest->SetSize(0, 0);
    else if (frameCount != 0 && frameIndex != 0)
        CopyBitmapFrame(*source, *dest, frameCount, frameIndex);
    else
        dest->Assign(*source);
}

bool TsuiFileTheme::GetFlag(TsuiSkinFlagKey key) const { return manager_->GetFlag(key); }

TColor TsuiFileTheme::GetColor(TsuiSkinColorKey key) const { return manager_->GetColor(key); }

int32_t TsuiFileTheme::GetInteger(TsuiSkinIntKey key) const { return manager_->GetInteger(key); }
