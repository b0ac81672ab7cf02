#pragma once

#include "toolkit/components/ClassInfo.h"
#include "toolkit/graphics/Font.h"

#include <string>
#include <utility>
#include <vector>

// The names a stored layout gives a font's style bits and character sets.
inline const std::vector<std::string>& FontStyleNames()
{
    static const std::vector<std::string> names = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    return names;
}

inline const std::vector<std::pair<std::string, int>>& CharsetNames()
{
    static const std::vector<std::pair<std::string, int>> names = {
        {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET}};
    return names;
}

// Publishes a font property as a layout stores it: Font.Name, Font.Height, Font.Size,
// Font.Color, Font.Style and Font.Charset. `fontOf(object)`, called on a const and on a mutable
// object, gives the font the property stands for; when it gives nullptr, reads give a new font's
// values and writes are ignored.
template <class C, class F> void PublishFont(TPublisher<C>& publisher, const std::string& name, F fontOf)
{
    auto read = [fontOf](const C& self) -> TFont {
        const TFont* font = fontOf(self);
        return font ? *font : TFont();
    };
    auto write = [fontOf](C& self, auto apply) {
        if (TFont* font = fontOf(self))
            apply(*font);
    };
    publisher
        .String((name + ".Name").c_str(), [read](const C& self) { return read(self).Name(); },
                [write](C& self, const std::string& v) { write(self, [&](TFont& f) { f.SetName(v); }); })
        .Integer((name + ".Height").c_str(), [read](const C& self) { return read(self).Height(); },
                 [write](C& self, int v) { write(self, [&](TFont& f) { f.SetHeight(v); }); })
        .Integer((name + ".Size").c_str(), [read](const C& self) { return read(self).Size(); },
                 [write](C& self, int v) { write(self, [&](TFont& f) { f.SetSize(v); }); })
        .Color((name + ".Color").c_str(), [read](const C& self) { return read(self).Color(); },
               [write](C& self, TColor v) { write(self, [&](TFont& f) { f.SetColor(v); }); })
        .Set((name + ".Style").c_str(), FontStyleNames(), [read](const C& self) { return read(self).Style(); },
             [write](C& self, unsigned v) { write(self, [&](TFont& f) { f.SetStyle(v); }); })
        .IntegerWithIdents((name + ".Charset").c_str(), CharsetNames(), [read](const C& self) { return read(self).Charset(); },
                           [write](C& self, int v) { write(self, [&](TFont& f) { f.SetCharset(v); }); });
}
