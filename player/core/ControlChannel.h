#pragma once

#include <optional>
#include <string>

// How a second start of the player reaches the running one: a Unix socket in a folder of the
// user's own, one per display. The running player holds a lock beside it for its whole life, so a
// player that died leaves nothing that blocks the next one.
//
// A command is one line: "page PATH" (show this page) or "stop"; the answer is "ok" or "error ...".

// The display this process would open, as a file-name-safe key ("x11-0", "wayland-0"); empty
// when there is none.
std::string DisplayKey();

// The socket for a display key; empty when no private folder can be had for it.
std::string ControlSocketPath(const std::string& displayKey);

class ControlServer {
public:
    // Takes the display for this process: nullopt when another player has it.
    static std::optional<ControlServer> Claim(const std::string& socketPath);

    ControlServer(ControlServer&& other) noexcept;
    ControlServer& operator=(ControlServer&&) = delete;
    ~ControlServer();

    int ListeningFd() const { return listenFd_; }
    // Reads one command from a connection made to ListeningFd(); the connection stays open for
    // Answer(). nullopt when the peer is not this user or says nothing in time.
    std::optional<std::string> Receive(int& connection);
    static void Answer(int connection, const std::string& reply);

private:
    ControlServer(std::string path, int lockFd, int listenFd);

    std::string path_;
    int lockFd_ = -1;
    int listenFd_ = -1;
};

// Sends a command to the running player and returns its answer; nullopt when none runs. Waits a
// little for a player that is starting up and has not opened its socket yet.
std::optional<std::string> SendControlCommand(const std::string& socketPath, const std::string& command);
