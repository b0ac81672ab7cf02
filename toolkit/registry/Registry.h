#pragma once

#include "platform/SystemServices.h"

#include <memory>
#include <string>

// The toolkit's registry accessor: one root, at most one open key at a time. Paths separate
// their parts with "\"; a path that begins with "\" starts at the root, any other one below the
// open key (or at the root when none is open).
class TRegistry {
public:
    explicit TRegistry(SystemServices& system) : system_(system) {}
    ~TRegistry() = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    TRegistryRoot RootKey() const { return root_; }
    // Closes the open key: a key belongs to its root.
    void SetRootKey(TRegistryRoot root);

    // Opens the key, making it first when `canCreate` and it is missing. False when it cannot be
    // opened; the key open before stays open then.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();
    bool HasCurrentKey() const { return current_ != nullptr; }
    // The open key's path below the root, without a leading "\".
    const std::string& CurrentPath() const { return currentPath_; }

    // The value's text: empty when there is no open key or no such value; for a string or
    // expandable string the text up to its first NUL, environment references left as they are.
    // Raises ERegistryException ("无效的数据类型 '%s'") for a value of any other type.
    std::string ReadString(const std::string& name);
    // False when no key is open or the value could not be written.
    bool WriteString(const std::string& name, const std::string& value);
    bool ValueExists(const std::string& name);

private:
    SystemServices& system_;
    TRegistryRoot root_ = TRegistryRoot::CurrentUser;
    std::unique_ptr<RegistryKey> current_;
    std::string currentPath_;
};
