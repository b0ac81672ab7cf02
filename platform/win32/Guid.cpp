#include "platform/Guid.h"

#include "toolkit/core/HexText.h"

#include <windows.h>
#include <objbase.h>


std::string NewGuidText()
{
    GUID guid{};
    if (FAILED(CoCreateGuid(&guid)))
        return {};
    std::string text = "{";
    AppendHex(text, guid.Data1, 8);
    text += '-';
    AppendHex(text, guid.Data2, 4);
    text += '-';
    AppendHex(text, guid.Data3, 4);
    text += '-';
    for (int i = 0; i < 8; ++i) {
        if (i == 2)
            text += '-';
        AppendHex(text, guid.Data4[i], 2);
    }
    return text + "}";
}
