#include "platform/ExecutablePath.h"

#include "toolkit/core/Utf8Path.h"

#include <windows.h>

#include <vector>

std::string ExecutablePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return PathToUtf8(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}
