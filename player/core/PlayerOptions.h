#pragma once

#include <string>
#include <variant>
#include <vector>

enum class TPlayerMode {
    Help,      // --help
    Version,   // --version
    Desktop,   // PAGE: the wallpaper of every monitor
    Autostart, // --autostart PAGE: the same, started at login
    Window,    // --window PAGE: an ordinary window, for an author's preview
    Stop,      // --stop
};

struct TPlayerOptions {
    TPlayerMode mode = TPlayerMode::Help;
    std::string page;
};

// The arguments after the program name; a text saying what does not fit when they do not.
std::variant<TPlayerOptions, std::string> ParsePlayerOptions(const std::vector<std::string>& arguments);

extern const char kPlayerUsage[];
