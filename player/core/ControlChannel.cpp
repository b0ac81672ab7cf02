#include "player/core/ControlChannel.h"

#include "platform/posix/PosixFiles.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

const size_t kMaxCommand = 8192;
const int kReplyTimeoutMs = 5000;

std::string SafeKey(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '_';
        out += ok ? c : '_';
    }
    return out;
}

// A folder only this user can enter: $XDG_RUNTIME_DIR, else one of ours under /tmp.
std::string PrivateFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/')
        return runtime;
    const std::string folder = "/tmp/merrowin-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        (info.st_mode & 077) != 0)
        return "";
    return folder;
}

bool MakeAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    return true;
}

int Connect(const std::string& path)
{
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// One line, without its line feed; nullopt on a time-out, an error or an over-long line.
std::optional<std::string> ReadLine(int fd, int timeoutMs)
{
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char buffer[512];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return std::nullopt;
        line.append(buffer, static_cast<size_t>(n));
        const size_t end = line.find('\n');
        if (end != std::string::npos)
            return line.substr(0, end);
        if (line.size() > kMaxCommand)
            return std::nullopt;
    }
}

bool HeldByOther(const std::string& lockPath)
{
    const int fd = open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

} // namespace

std::string DisplayKey()
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* backend = std::getenv("GDK_BACKEND");
    const bool forcedX11 = backend && std::string(backend) == "x11";
    if (wayland && wayland[0] && !forcedX11)
        return "wayland-" + SafeKey(wayland);
    const char* display = std::getenv("DISPLAY");
    if (!display || !display[0])
        return "";
    std::string name = display;
    // ":0" and ":0.0" are one display: the screen number does not count.
    const size_t colon = name.rfind(':');
    const size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
    if (colon != std::string::npos && dot != std::string::npos)
        name.erase(dot);
    return "x11-" + SafeKey(name);
}

std::string ControlSocketPath(const std::string& displayKey)
{
    const std::string folder = PrivateFolder();
    if (folder.empty() || displayKey.empty())
        return "";
    return JoinPath(folder, "merrowin-wallpaper." + displayKey + ".socket");
}

ControlServer::ControlServer(std::string path, int lockFd, int listenFd)
    : path_(std::move(path)), lockFd_(lockFd), listenFd_(listenFd)
{
}

ControlServer::ControlServer(ControlServer&& other) noexcept
    : path_(std::move(other.path_)), lockFd_(other.lockFd_), listenFd_(other.listenFd_)
{
    other.lockFd_ = -1;
    other.listenFd_ = -1;
}

ControlServer::~ControlServer()
{
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(path_.c_str());
    }
    if (lockFd_ >= 0)
        close(lockFd_);
}

std::optional<ControlServer> ControlServer::Claim(const std::string& socketPath)
{
    sockaddr_un address;
    if (!MakeAddress(socketPath, address))
        return std::nullopt;
    const int lockFd = open((socketPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0)
        return std::nullopt;
    if (flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        close(lockFd);
        return std::nullopt;
    }
    // The lock is ours, so a socket file left there belongs to a player that has ended.
    unlink(socketPath.c_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const mode_t oldMask = umask(077);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    umask(oldMask);
    if (!bound || listen(fd, 8) != 0) {
        if (fd >= 0)
            close(fd);
        close(lockFd);
        return std::nullopt;
    }
    return ControlServer(socketPath, lockFd, fd);
}

std::optional<std::string> ControlServer::Receive(int& connection)
{
    connection = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
        return std::nullopt;
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != getuid()) {
        close(connection);
        connection = -1;
        return std::nullopt;
    }
    auto line = ReadLine(connection, 1000);
    if (!line) {
        close(connection);
        connection = -1;
    }
    return line;
}

void ControlServer::Answer(int connection, const std::string& reply)
{
    if (connection < 0)
        return;
    SendAll(connection, reply + "\n");
    close(connection);
}

std::optional<std::string> SendControlCommand(const std::string& socketPath, const std::string& command)
{
    // A player that holds the lock but has no socket yet is starting: give it a moment.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = Connect(socketPath);
        if (fd >= 0) {
            std::optional<std::string> reply;
            if (SendAll(fd, command + "\n"))
                reply = ReadLine(fd, kReplyTimeoutMs);
            close(fd);
            return reply ? reply : std::optional<std::string>("error no answer");
        }
        if (!HeldByOther(socketPath + ".lock"))
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}
