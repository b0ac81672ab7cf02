#pragma once

#include <string>
#include <vector>

// Starts the wallpaper player for the Linux stand-in of the desktop's wallpaper service.
class PlayerLauncher {
public:
    virtual ~PlayerLauncher() = default;
    // Whether the program can start here at all: its libraries are all present.
    virtual bool CanRun(const std::string& player) = 0;
    // Starts it on its own, so that it outlives this program, with nothing of ours open in it.
    virtual bool StartDetached(const std::string& player, const std::vector<std::string>& arguments) = 0;
};

// Runs real processes: the check runs `player --help`.
class ProcessLauncher final : public PlayerLauncher {
public:
    bool CanRun(const std::string& player) override;
    bool StartDetached(const std::string& player, const std::vector<std::string>& arguments) override;
};

// The program NAME in the folders of $PATH; empty when none has it.
std::string FindInPath(const std::string& name);
