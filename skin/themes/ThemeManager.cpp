#include "skin/themes/ThemeManager.h"

#include "skin/themes/BuiltInFileTheme.h"
#include "skin/themes/FileTheme.h"
#include "toolkit/forms/CustomForm.h"

std::vector<std::string> TsuiThemeMgrCompList::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        lines.push_back(Strings(i));
    return lines;
}

void TsuiThemeMgrCompList::Assign(const std::vector<std::string>& lines)
{
    Clear();
    for (const std::string& line : lines)
        Add(line);
}

bool TsuiThemeMgrCompList::RemoveName(const std::string& name)
{
    std::vector<std::string> kept;
    for (int i = 0; i < Count(); ++i)
        if (!TComponent::SameName(Strings(i), name))
            kept.push_back(Strings(i));
    if (static_cast<int>(kept.size()) == Count())
        return false;
    Assign(kept);
    return true;
}

TsuiThemeManager::TsuiThemeManager(TComponent* owner) : TComponent(owner) { SetUIStyle(DeepBlue); }

const TClassInfo& TsuiThemeManager::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiThemeManager", &TComponent::StaticClassInfo(),
        [](TComponent* owner) { return new TsuiThemeManager(owner); },
        [](TClassInfo& c) {
            TPublisher<TsuiThemeManager>(c)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &TsuiThemeManager::UIStyle, &TsuiThemeManager::SetUIStyle)
                .Component<TsuiFileTheme>("FileTheme", &TsuiThemeManager::FileTheme, &TsuiThemeManager::SetFileTheme)
                .Strings(
                    "CompList", [](const TsuiThemeManager& self) { return self.CompList().Lines(); },
                    &TsuiThemeManager::SetCompList)
                .Event<TNotifyEvent>("OnUIStyleChanged",
                                     [](TsuiThemeManager& self, const TNotifyEvent& handler) {
                                         self.OnUIStyleChanged = handler;
                                     });
        });
    return info;
}

void TsuiThemeManager::SetUIStyle(TsuiUIStyle value)
{
    const TsuiUIStyle old = uiStyle_;
    uiStyle_ = value;
    Apply();
    if (value != old && OnUIStyleChanged)
        OnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* value)
{
    if (fileTheme_ != value)
        RemoveFreeNotification(fileTheme_);
    fileTheme_ = value;
    // A theme of another owner has to tell us when it goes, as the owner's own ones do.
    FreeNotification(value);
    SetUIStyle(uiStyle_);
}

void TsuiThemeManager::Apply()
{
    TComponent* owner = Owner();
    if (!owner || !(dynamic_cast<TCustomForm*>(owner) || IsOfClass(*owner, "TCustomFrame")))
        return;
    // The setters may change the list (a component that goes takes its name with it).
    for (const std::string& name : compList_.Lines()) {
        TComponent* component = owner->FindComponent(name);
        if (!component)
            continue;
        SetOrdProp(*component, "UIStyle", uiStyle_);
        SetObjectProp(*component, "FileTheme", fileTheme_);
    }
}

void TsuiThemeManager::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove || !component || component == this)
        return;
    if (!component->Name().empty())
        compList_.RemoveName(component->Name());
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        uiStyle_ = DeepBlue;
    }
}

void RegisterThemeClasses()
{
    static const bool done = [] {
        for (const TClassInfo* info : {&TsuiFileTheme::StaticClassInfo(), &TsuiBuiltInFileTheme::StaticClassInfo(),
                                       &TsuiThemeManager::StaticClassInfo()})
            RegisterClass(*info);
        return true;
    }();
    (void)done;
}
