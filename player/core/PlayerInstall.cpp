#include "player/core/PlayerInstall.h"

#include "platform/posix/PosixFiles.h"
#include "platform/posix/XdgFolders.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char kStampFile[] = "STAMP";

// Removes a folder that we made, with its files and its one level of subfolders. Links are
// removed, never followed.
void RemoveTree(const std::string& path, int depth = 0)
{
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string child = JoinPath(path, name);
            struct stat info {};
            if (lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && depth < 2)
                RemoveTree(child, depth + 1);
            else
                unlink(child.c_str());
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

void RemoveLeftovers(const std::string& parent, const std::string& prefix)
{
    DIR* dir = opendir(parent.c_str());
    if (!dir)
        return;
    std::vector<std::string> stale;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) == 0)
            stale.push_back(JoinPath(parent, name));
    }
    closedir(dir);
    for (const std::string& path : stale)
        RemoveTree(path);
}

bool WriteFile(const std::string& path, std::string_view content, bool executable)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, executable ? 0755 : 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) {
            close(fd);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return fsync(fd) == 0 && close(fd) == 0;
}

bool WriteBundle(const TPlayerBundle& bundle, const std::string& folder)
{
    for (const TBundleFile& file : bundle.files) {
        const size_t slash = file.name.find('/');
        if (slash != std::string::npos) {
            const std::string sub = JoinPath(folder, file.name.substr(0, slash));
            if (mkdir(sub.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
        if (!WriteFile(JoinPath(folder, file.name), file.content, file.executable))
            return false;
    }
    return WriteFile(JoinPath(folder, kStampFile), bundle.stamp + "\n", false);
}

std::string Parent(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

std::string Leaf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string UserPlayerFolder()
{
    return JoinPath(JoinPath(DataHome(), "merrowin"), "player");
}

std::optional<std::string> InstalledPlayerStamp(const std::string& folder)
{
    const auto text = ReadSmallFile(JoinPath(folder, kStampFile), 1024);
    if (!text || text->empty() || text->back() != '\n')
        return std::nullopt;
    return text->substr(0, text->size() - 1);
}

bool InstallPlayerBundle(const TPlayerBundle& bundle, const std::string& folder)
{
    for (const TBundleFile& file : bundle.files) {
        if (!IsSafeBundleName(file.name) || file.name == kStampFile)
            return false;
    }
    const std::string parent = Parent(folder);
    const std::string leaf = Leaf(folder);
    if (!MakeFolderPath(parent, 0700))
        return false;
    RemoveLeftovers(parent, leaf + ".new-");
    RemoveLeftovers(parent, leaf + ".old-");

    std::string fresh = JoinPath(parent, leaf + ".new-XXXXXX");
    if (!mkdtemp(fresh.data()))
        return false;
    chmod(fresh.c_str(), 0755);
    if (!WriteBundle(bundle, fresh)) {
        RemoveTree(fresh);
        return false;
    }
    // rename() cannot replace a non-empty folder: the old one steps aside first.
    std::string old = JoinPath(parent, leaf + ".old-XXXXXX");
    const bool hadOld = access(folder.c_str(), F_OK) == 0;
    if (hadOld) {
        if (!mkdtemp(old.data()) || rmdir(old.c_str()) != 0 || rename(folder.c_str(), old.c_str()) != 0) {
            RemoveTree(fresh);
            return false;
        }
    }
    if (rename(fresh.c_str(), folder.c_str()) != 0) {
        if (hadOld)
            rename(old.c_str(), folder.c_str());
        RemoveTree(fresh);
        return false;
    }
    if (hadOld)
        RemoveTree(old);
    return true;
}
