#pragma once

#include <optional>
#include <string>
#include <string_view>

// The login entry that starts the wallpaper player: a freedesktop autostart file
// ($XDG_CONFIG_HOME/autostart/merrowin-wallpaper.desktop). The installer writes it; the player
// removes it when the page it names has been deleted, which is how a user uninstalls.

// The file's path for the current environment.
std::string AutostartFile();

// The entry that runs `player --autostart page` at login.
std::string ComposeAutostartEntry(const std::string& player, const std::string& page);

// The page that an entry written by ComposeAutostartEntry starts with; nullopt for any other text.
std::optional<std::string> AutostartPage(std::string_view entry);

// One argument of an Exec line, quoted where the desktop entry rules ask for it.
std::string QuoteExecArgument(std::string_view argument);
