#include "skin/controls/TitleBarStorage.h"

#include "skin/controls/TitleBarButton.h"
#include "skin/controls/TitleBarSection.h"
#include "toolkit/components/ClassInfo.h"

#include <string_view>
#include <vector>

namespace {

const std::vector<std::string>& ButtonTypeNames()
{
    static const std::vector<std::string> names{"suiMax", "suiMin", "suiClose", "suiHelp", "suiControlBox", "suiCustom"};
    return names;
}

const std::vector<std::string>& AlignNames()
{
    static const std::vector<std::string> names{"suiLeft", "suiRight", "suiClient"};
    return names;
}

TPropertyValue PictureValue(const TPicture& picture)
{
    if (picture.Empty())
        return TPropertyValue::Picture(nullptr);
    return TPropertyValue::Picture(std::make_shared<const TBitmap>(*picture.Graphic()));
}

TPicture PictureOf(const TPropertyValue& value)
{
    TPicture picture;
    if (TPictureValue image = value.AsPicture())
        picture.Assign(*image);
    return picture;
}

template <class E> TPropertyValue EnumValue(const std::vector<std::string>& names, E value)
{
    return TPropertyValue::Enum(names[static_cast<size_t>(value)]);
}

template <class E> E EnumOf(const std::vector<std::string>& names, const TPropertyValue& value)
{
    return static_cast<E>(EnumOrdinalOf(names, value));
}

int IntegerOf(const TPropertyValue& value)
{
    int64_t v = value.AsInteger();
    if (v < INT32_MIN || v > INT32_MAX)
        throw InvalidPropertyValue();
    return static_cast<int>(v);
}

bool Is(std::string_view a, std::string_view b) { return TComponent::SameName(a, b); }

void LoadButton(TsuiTitleBarButton& button, const std::string& name, const TPropertyValue& value)
{
    if (Is(name, "Visible"))
        button.SetVisible(value.AsBoolean());
    else if (Is(name, "ButtonType"))
        button.SetButtonType(EnumOf<TsuiTitleBarBtnType>(ButtonTypeNames(), value));
    else if (Is(name, "Transparent"))
        button.SetTransparent(value.AsBoolean());
    else if (Is(name, "Top"))
        button.SetTop(IntegerOf(value));
    else if (Is(name, "UIStyle"))
        button.SetUIStyle(EnumOf<TsuiUIStyle>(UIStyleNames(), value));
    else if (Is(name, "PicNormal"))
        button.SetPicNormal(PictureOf(value));
    else if (Is(name, "PicMouseOn"))
        button.SetPicMouseOn(PictureOf(value));
    else if (Is(name, "PicMouseDown"))
        button.SetPicMouseDown(PictureOf(value));
    else
        throw UnknownPropertyError(name);
}

void LoadSection(TsuiTitleBarSection& section, const std::string& name, const TPropertyValue& value)
{
    if (Is(name, "AutoSize"))
        section.SetAutoSize(value.AsBoolean());
    else if (Is(name, "Width"))
        section.SetWidth(IntegerOf(value));
    else if (Is(name, "Align"))
        section.SetAlign(EnumOf<TsuiTitleBarAlign>(AlignNames(), value));
    else if (Is(name, "Picture"))
        section.SetPicture(PictureOf(value));
    else if (Is(name, "Stretch"))
        section.SetStretch(value.AsBoolean());
    else if (Is(name, "CapSec"))
        section.SetCapSec(value.AsBoolean());
    else
        throw UnknownPropertyError(name);
}

}  // namespace

TPropertyValue::Items SaveTitleBarButtons(const TsuiTitleBarButtons& buttons)
{
    TPropertyValue::Items items;
    for (int i = 0; i < buttons.Count(); ++i) {
        const TsuiTitleBarButton& b = *buttons.Items(i);
        TCollectionItemValue item;
        item.Properties = {
            // Type and style first: each reloads the pictures, Top and Transparent.
            {"ButtonType", EnumValue(ButtonTypeNames(), b.ButtonType())},
            {"UIStyle", EnumValue(UIStyleNames(), b.UIStyle())},
            {"Visible", TPropertyValue::Boolean(b.Visible())},
            {"Transparent", TPropertyValue::Boolean(b.Transparent())},
            {"Top", TPropertyValue::Integer(b.Top())},
            {"PicNormal", PictureValue(b.PicNormal())},
            {"PicMouseOn", PictureValue(b.PicMouseOn())},
            {"PicMouseDown", PictureValue(b.PicMouseDown())},
        };
        items.push_back(std::move(item));
    }
    return items;
}

void LoadTitleBarButtons(TsuiTitleBarButtons& buttons, const TPropertyValue::Items& items)
{
    // Built on the same bar so that the pictures a type or style brings come from its theme.
    TsuiTitleBarButtons loaded(buttons.TitleBar());
    for (const TCollectionItemValue& item : items) {
        TsuiTitleBarButton& button = *loaded.Add();
        for (const auto& [name, value] : item.Properties)
            LoadButton(button, name, value);
    }
    buttons.Assign(loaded);
}

TPropertyValue::Items SaveTitleBarSections(const TsuiTitleBarSections& sections)
{
    TPropertyValue::Items items;
    for (int i = 0; i < sections.Count(); ++i) {
        const TsuiTitleBarSection& s = *sections.Items(i);
        TCollectionItemValue item;
        item.Properties = {
            {"Align", EnumValue(AlignNames(), s.Align())},
            // AutoSize before Width: writing it takes the width of a picture already there.
            {"AutoSize", TPropertyValue::Boolean(s.AutoSize())},
            {"Width", TPropertyValue::Integer(s.Width())},
            {"Stretch", TPropertyValue::Boolean(s.Stretch())},
            {"CapSec", TPropertyValue::Boolean(s.CapSec())},
            {"Picture", PictureValue(s.Picture())},
        };
        items.push_back(std::move(item));
    }
    return items;
}

void LoadTitleBarSections(TsuiTitleBarSections& sections, const TPropertyValue::Items& items)
{
    TsuiTitleBarSections loaded(sections.TitleBar());
    for (const TCollectionItemValue& item : items) {
        TsuiTitleBarSection& section = *loaded.Add();
        for (const auto& [name, value] : item.Properties)
            LoadSection(section, name, value);
    }
    sections.Assign(loaded);
}
