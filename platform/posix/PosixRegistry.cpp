#include "platform/posix/PosixRegistry.h"

#include "platform/posix/AsciiCase.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/RegistryStore.h"
#include "platform/posix/XdgFolders.h"

#include <utility>

namespace {

const size_t kMaxStoreFile = 4 << 20;

const std::string_view kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string_view kMachineVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

struct MachineFolder {
    std::string_view name;
    std::string_view folder;
};

const MachineFolder kMachineFolders[] = {
    {"ProgramFilesDir", "/opt"},        {"CommonFilesDir", "/usr/share"},
    {"ConfigPath", "/etc"},             {"DevicePath", "/lib/modules"},
    {"MediaPath", "/usr/share/sounds"}, {"WallPaperDir", "/usr/share/backgrounds"},
};

struct UserFolderName {
    std::string_view name;
    std::string_view xdgName;
};

const UserFolderName kUserFolders[] = {
    {"Personal", "DOCUMENTS"}, {"Desktop", "DESKTOP"},         {"Templates", "TEMPLATES"},
    {"My Music", "MUSIC"},     {"My Pictures", "PICTURES"},    {"My Video", "VIDEOS"},
};

std::string_view RootName(TRegistryRoot root)
{
    return root == TRegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string_view ViewKey(TRegistryRoot root)
{
    return root == TRegistryRoot::LocalMachine ? kMachineVersion : kUserShellFolders;
}

// The key path with separators tidied: no empty parts. nullopt for a name that the store's
// line format cannot hold.
std::optional<std::string> NormalisedPath(std::string_view path)
{
    std::string out;
    while (!path.empty()) {
        size_t end = path.find('\\');
        std::string_view part = path.substr(0, end);
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
        if (part.empty())
            continue;
        for (char c : part) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return std::nullopt;
        }
        if (!out.empty())
            out += '\\';
        out += part;
    }
    return out;
}

std::string StoredPath(TRegistryRoot root, const std::string& path)
{
    return std::string(RootName(root)) + (path.empty() ? "" : "\\") + path;
}

// The view keys exist always, and so do the keys above them.
bool IsViewKeyOrAbove(TRegistryRoot root, std::string_view path)
{
    std::string_view view = ViewKey(root);
    if (path.empty() || SameIgnoringAsciiCase(view, path))
        return true;
    return view.size() > path.size() && view[path.size()] == '\\' &&
           SameIgnoringAsciiCase(view.substr(0, path.size()), path);
}

std::optional<RegistryStore> LoadStore(const std::string& storeFile)
{
    std::optional<std::string> text = ReadSmallFile(storeFile, kMaxStoreFile);
    if (!text)
        return std::nullopt;
    return RegistryStore::Parse(*text);
}

class PosixRegistryKey final : public RegistryKey {
public:
    PosixRegistryKey(std::string storeFile, TRegistryRoot root, std::string path)
        : storeFile_(std::move(storeFile)), root_(root), path_(std::move(path)),
          storedPath_(StoredPath(root, path_))
    {
    }

    std::optional<TRegistryData> ReadValue(const std::string& name) override
    {
        if (std::optional<RegistryStore> store = LoadStore(storeFile_)) {
            if (auto stored = store->Read(storedPath_, name))
                return stored;
        }
        if (std::optional<std::string> folder = ViewValue(root_, path_, name))
            return TRegistryData{TRegistryDataType::String, *folder};
        return std::nullopt;
    }

    bool WriteString(const std::string& name, const std::string& value) override
    {
        return Change([&](RegistryStore& store) {
            store.Write(storedPath_, name, {TRegistryDataType::String, value});
            return true;
        });
    }

    bool WriteInteger(const std::string& name, int32_t value) override
    {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
        return Change([&](RegistryStore& store) {
            store.Write(storedPath_, name, {TRegistryDataType::Integer, bytes});
            return true;
        });
    }

    bool DeleteValue(const std::string& name) override
    {
        return Change([&](RegistryStore& store) { return store.Delete(storedPath_, name); });
    }

private:
    // Reads the store afresh, changes it and replaces the file, so that writes of another
    // process since this key was opened are kept.
    template <typename Edit>
    bool Change(Edit edit)
    {
        std::optional<RegistryStore> store = LoadStore(storeFile_);
        if (!store || !edit(*store))
            return false;
        return WriteFileAtomically(storeFile_, store->Text());
    }

    std::string storeFile_;
    TRegistryRoot root_;
    std::string path_;
    std::string storedPath_;
};

} // namespace

std::optional<std::string> ViewValue(TRegistryRoot root, std::string_view keyPath, std::string_view name)
{
    if (!SameIgnoringAsciiCase(keyPath, ViewKey(root)))
        return std::nullopt;
    if (root == TRegistryRoot::LocalMachine) {
        for (const MachineFolder& entry : kMachineFolders) {
            if (SameIgnoringAsciiCase(entry.name, name))
                return std::string(entry.folder);
        }
        return std::nullopt;
    }
    for (const UserFolderName& entry : kUserFolders) {
        if (SameIgnoringAsciiCase(entry.name, name))
            return UserFolder(entry.xdgName);
    }
    if (SameIgnoringAsciiCase(name, "AppData"))
        return ConfigHome();
    if (SameIgnoringAsciiCase(name, "Local AppData"))
        return DataHome();
    if (SameIgnoringAsciiCase(name, "Cache"))
        return CacheHome();
    if (SameIgnoringAsciiCase(name, "Fonts"))
        return JoinPath(DataHome(), "fonts");
    return std::nullopt;
}

std::unique_ptr<RegistryKey> OpenPosixRegistryKey(const std::string& storeFile, TRegistryRoot root,
                                                  const std::string& path, bool create)
{
    std::optional<std::string> normalised = NormalisedPath(path);
    if (!normalised)
        return nullptr;
    std::string storedPath = StoredPath(root, *normalised);
    if (!IsViewKeyOrAbove(root, *normalised)) {
        std::optional<RegistryStore> store = LoadStore(storeFile);
        bool exists = store && store->HasKey(storedPath);
        if (!exists && !create)
            return nullptr;
        if (!exists) {
            if (!store)
                return nullptr;
            store->AddKey(storedPath);
            if (!WriteFileAtomically(storeFile, store->Text()))
                return nullptr;
        }
    }
    return std::make_unique<PosixRegistryKey>(storeFile, root, *normalised);
}
