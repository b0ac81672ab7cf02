#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/core/StringList.h"

#include <string>
#include <vector>

class TsuiFileTheme;

// The names of the components a theme manager styles, in the order it styles them.
class TsuiThemeMgrCompList : public TStringList {
public:
    std::vector<std::string> Lines() const;
    void Assign(const std::vector<std::string>& lines);
    // Removes every line that names the component (names compare in any case); true if any did.
    bool RemoveName(const std::string& name);
};

// Pushes one style and one file theme onto a list of components of its owner (a form or a
// frame), through their published UIStyle and FileTheme properties: on every assignment of
// UIStyle or FileTheme, for each listed name in list order; names that match no component are
// skipped, and a listed component without those properties raises the property error.
class TsuiThemeManager : public TComponent {
public:
    explicit TsuiThemeManager(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Applies, then fires OnUIStyleChanged when the value changed.
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    // Applies again; the style did not change, so no event.
    void SetFileTheme(TsuiFileTheme* value);
    TsuiThemeMgrCompList& CompList() { return compList_; }
    const TsuiThemeMgrCompList& CompList() const { return compList_; }
    void SetCompList(const std::vector<std::string>& names) { compList_.Assign(names); }

    TNotifyEvent OnUIStyleChanged;

protected:
    // A listed component that goes leaves the list; the theme going leaves FileTheme nil and the
    // style DeepBlue, without applying anything.
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Apply();

    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiThemeMgrCompList compList_;
};

// Makes the theme components known to layouts: TsuiFileTheme, TsuiBuiltInFileTheme and
// TsuiThemeManager. Safe to call any number of times.
void RegisterThemeClasses();
