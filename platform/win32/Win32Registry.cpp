#include "platform/win32/Win32Registry.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    ~Win32RegistryKey() override { RegCloseKey(key_); }
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    std::optional<TRegistryData> ReadValue(const std::string& name) override;
    bool WriteString(const std::string& name, const std::string& value) override;
    bool WriteInteger(const std::string& name, int32_t value) override;
    bool DeleteValue(const std::string& name) override;

private:
    HKEY key_;
};

TRegistryDataType DataType(DWORD type)
{
    switch (type) {
    case REG_SZ:
        return TRegistryDataType::String;
    case REG_EXPAND_SZ:
        return TRegistryDataType::ExpandString;
    case REG_DWORD:
        return TRegistryDataType::Integer;
    case REG_BINARY:
        return TRegistryDataType::Binary;
    case REG_MULTI_SZ:
        return TRegistryDataType::MultiString;
    default:
        return TRegistryDataType::Unknown;
    }
}

// A stored string may or may not carry its terminating NUL, and its byte count may even be odd;
// the reader cuts at the first NUL anyway, so only whole characters are kept here.
std::string StoredText(const std::vector<BYTE>& bytes)
{
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    if (!wide.empty())
        std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
    while (!wide.empty() && wide.back() == L'\0')
        wide.pop_back();
    return FromWide(wide);
}

std::optional<TRegistryData> Win32RegistryKey::ReadValue(const std::string& name)
{
    std::wstring wideName = ToWide(name);
    std::vector<BYTE> bytes(256);
    DWORD type = REG_NONE;
    for (;;) {
        DWORD size = static_cast<DWORD>(bytes.size());
        LONG status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, bytes.data(), &size);
        if (status == ERROR_MORE_DATA) {
            // The value may grow between two calls; ask again with the size just reported.
            bytes.resize(static_cast<size_t>(size) + sizeof(wchar_t));
            continue;
        }
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        bytes.resize(size);
        break;
    }
    TRegistryData data;
    data.type = DataType(type);
    if (data.type == TRegistryDataType::String || data.type == TRegistryDataType::ExpandString)
        data.bytes = StoredText(bytes);
    else
        data.bytes.assign(bytes.begin(), bytes.end());
    return data;
}

bool Win32RegistryKey::WriteString(const std::string& name, const std::string& value)
{
    std::wstring wide = ToWide(value);
    DWORD size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          size) == ERROR_SUCCESS;
}

bool Win32RegistryKey::WriteInteger(const std::string& name, int32_t value)
{
    DWORD stored = static_cast<DWORD>(value);
    return RegSetValueExW(key_, ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                          sizeof stored) == ERROR_SUCCESS;
}

bool Win32RegistryKey::DeleteValue(const std::string& name)
{
    return RegDeleteValueW(key_, ToWide(name).c_str()) == ERROR_SUCCESS;
}

HKEY RootHandle(TRegistryRoot root)
{
    return root == TRegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

} // namespace

std::unique_ptr<RegistryKey> OpenWin32RegistryKey(TRegistryRoot root, const std::string& path, bool create)
{
    std::wstring widePath = ToWide(path);
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyExW(RootHandle(root), widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr)
                         : RegOpenKeyExW(RootHandle(root), widePath.c_str(), 0, KEY_ALL_ACCESS, &key);
    // An ordinary user may read the machine's keys but neither change nor create them.
    if (status != ERROR_SUCCESS)
        status = RegOpenKeyExW(RootHandle(root), widePath.c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}
