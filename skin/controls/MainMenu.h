#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/menus/MainMenu.h"

class TsuiFileTheme;
class TsuiForm;

// The font menus use when they ask for the system's: what the toolkit's controls start with.
TFont SystemMenuFont();

// A main menu that carries its own look: a style and file theme, and the font its items are
// written in (the system's menu font unless told otherwise). A skinned form that shows it links
// itself here, and gives it its style whenever the form's style changes.
class TsuiMainMenu : public TMainMenu {
public:
    explicit TsuiMainMenu(TComponent* owner);
    ~TsuiMainMenu() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);

    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    // The font the items are drawn in: the system menu font or Font.
    TFont DrawingFont() const { return useSystemFont_ ? SystemMenuFont() : font_; }

    // The skinned form showing the menu; nullptr when none does.
    TsuiForm* Form() const { return form_; }
    void SetForm(TsuiForm* value) { form_ = value; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TsuiUIStyle uiStyle_;
    TsuiFileTheme* fileTheme_ = nullptr;
    bool useSystemFont_ = true;
    TFont font_;
    TsuiForm* form_ = nullptr;
};
