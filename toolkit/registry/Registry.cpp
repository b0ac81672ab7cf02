#include "toolkit/registry/Registry.h"

#include "toolkit/core/Exceptions.h"

void TRegistry::SetRootKey(TRegistryRoot root)
{
    CloseKey();
    root_ = root;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    bool relative = key.empty() || key.front() != '\\';
    std::string path = relative ? key : key.substr(1);
    if (relative && current_ && !currentPath_.empty())
        path = path.empty() ? currentPath_ : currentPath_ + "\\" + path;
    std::unique_ptr<RegistryKey> opened = system_.OpenKey(root_, path, canCreate);
    if (!opened)
        return false;
    current_ = std::move(opened);
    currentPath_ = path;
    return true;
}

void TRegistry::CloseKey()
{
    current_.reset();
    currentPath_.clear();
}

std::string TRegistry::ReadString(const std::string& name)
{
    if (!current_)
        return {};
    std::optional<TRegistryData> data = current_->ReadValue(name);
    if (!data)
        return {};
    if (data->type != TRegistryDataType::String && data->type != TRegistryDataType::ExpandString)
        throw ERegistryException(name);
    return data->bytes.substr(0, data->bytes.find('\0'));
}

bool TRegistry::WriteString(const std::string& name, const std::string& value)
{
    return current_ && current_->WriteString(name, value);
}

bool TRegistry::ValueExists(const std::string& name)
{
    return current_ && current_->ReadValue(name).has_value();
}
