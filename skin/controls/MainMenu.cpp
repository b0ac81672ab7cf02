#include "skin/controls/MainMenu.h"

#include "skin/themes/FileTheme.h"

TFont SystemMenuFont() { return TFont(); }

TsuiMainMenu::TsuiMainMenu(TComponent* owner) : TMainMenu(owner), uiStyle_(GetDefaultUIStyle(owner))
{
    font_.SetColor(clMenuText);
    // A new font changes the size of every place on a bar.
    font_.OnChange = [this] {
        if (!useSystemFont_)
            Changed(nullptr, true);
    };
}

TsuiMainMenu::~TsuiMainMenu() { font_.OnChange = nullptr; }

const TClassInfo& TsuiMainMenu::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiMainMenu", &TMainMenu::StaticClassInfo(), [](TComponent* owner) { return new TsuiMainMenu(owner); },
        [](TClassInfo& c) {
            using P = TsuiMainMenu;
            TPublisher<P>(c)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &P::UIStyle, &P::SetUIStyle)
                .Component<TsuiFileTheme>("FileTheme", &P::FileTheme, &P::SetFileTheme)
                .Boolean("UseSystemFont", &P::UseSystemFont, &P::SetUseSystemFont)
                .String("Font.Name", [](const P& self) { return self.Font().Name(); },
                        [](P& self, const std::string& v) { self.Font().SetName(v); })
                .Integer("Font.Height", [](const P& self) { return self.Font().Height(); },
                         [](P& self, int v) { self.Font().SetHeight(v); })
                .Integer("Font.Size", [](const P& self) { return self.Font().Size(); },
                         [](P& self, int v) { self.Font().SetSize(v); })
                .Color("Font.Color", [](const P& self) { return self.Font().Color(); },
                       [](P& self, TColor v) { self.Font().SetColor(v); })
                .Integer("Font.Charset", [](const P& self) { return self.Font().Charset(); },
                         [](P& self, int v) { self.Font().SetCharset(v); });
        });
    return info;
}

void TsuiMainMenu::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    Changed(nullptr, false);
}

void TsuiMainMenu::SetFileTheme(TsuiFileTheme* value)
{
    if (ReplaceReference(fileTheme_, value))
        Changed(nullptr, false);
}

void TsuiMainMenu::SetUseSystemFont(bool value)
{
    if (value == useSystemFont_)
        return;
    useSystemFont_ = value;
    Changed(nullptr, true);
}

void TsuiMainMenu::Notification(TComponent* component, TOperation operation)
{
    TMainMenu::Notification(component, operation);
    if (operation == opRemove && component == fileTheme_) {
        fileTheme_ = nullptr;
        Changed(nullptr, false);
    }
}
