#include "platform/posix/PlayerLauncher.h"

#include "platform/posix/PosixFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<char*> Argv(const std::string& player, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(player.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// In the child of a fork: only calls that are safe there.
[[noreturn]] void ExecQuietly(const char* path, char* const argv[])
{
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
    }
    for (int fd = 3; fd < 1024; ++fd)
        close(fd);
    execv(path, argv);
    _exit(127);
}

int WaitFor(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool ProcessLauncher::CanRun(const std::string& player)
{
    std::vector<char*> argv = Argv(player, {"--help"});
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        ExecQuietly(player.c_str(), argv.data());
    return WaitFor(child) == 0;
}

bool ProcessLauncher::StartDetached(const std::string& player, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv = Argv(player, arguments);
    // Twice forked, in a session of its own: the player is nobody's child of ours, is not ended
    // with our terminal, and leaves no process for us to reap.
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0)
            ExecQuietly(player.c_str(), argv.data());
        _exit(grandchild < 0 ? 1 : 0);
    }
    return WaitFor(child) == 0;
}

std::string FindInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return "";
    const std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && folder[0] == '/') {
            const std::string candidate = JoinPath(folder, name);
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return "";
}
