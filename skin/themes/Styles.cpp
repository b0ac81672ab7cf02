#include "skin/themes/Styles.h"

#include "skin/themes/FileTheme.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/forms/CustomForm.h"

const std::vector<std::string>& UIStyleNames()
{
    static const std::vector<std::string> names = {"FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein",
                                                   "BlueGlass"};
    return names;
}

bool UsesFileTheme(const TsuiFileTheme* fileTheme, TsuiUIStyle uiStyle, TsuiUIStyle& effectiveStyle)
{
    effectiveStyle = uiStyle;
    if (uiStyle != FromThemeFile)
        return false;
    if (fileTheme && fileTheme->Ready())
        return true;
    effectiveStyle = DeepBlue;
    return false;
}

TsuiUIStyle GetDefaultUIStyle(const TComponent* owner)
{
    const auto* form = dynamic_cast<const TCustomForm*>(owner);
    if (!form)
        return DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i) {
        const TControl* child = form->Controls(i);
        if (!IsOfClass(*child, "TsuiForm"))
            continue;
        if (!IsPublishedProp(*child, "UIStyle"))
            return DeepBlue;
        return static_cast<TsuiUIStyle>(GetOrdProp(*child, "UIStyle"));
    }
    return DeepBlue;
}

namespace {

bool IsChildOf(const TWinControl& parent, const TControl* control)
{
    for (int i = 0; i < parent.ControlCount(); ++i)
        if (parent.Controls(i) == control)
            return true;
    return false;
}

} // namespace

void ApplyStyleToChildren(TWinControl* form, TsuiUIStyle uiStyle, TsuiFileTheme* fileTheme)
{
    if (!form)
        return;
    // A setter may rearrange or free children: walk the list as it was, skipping the gone.
    std::vector<TControl*> children;
    for (int i = 0; i < form->ControlCount(); ++i)
        children.push_back(form->Controls(i));
    for (TControl* child : children) {
        if (!IsChildOf(*form, child))
            continue;
        if (!IsPublishedProp(*child, "FileTheme") || !IsPublishedProp(*child, "UIStyle"))
            continue;
        SetObjectProp(*child, "FileTheme", fileTheme);
        SetOrdProp(*child, "UIStyle", uiStyle);
    }
}

bool IsOfClass(const TComponent& component, const char* className)
{
    return component.ClassInfo().InheritsFrom(className);
}
