#pragma once

#include "player/core/PlayerBundle.h"

#include <optional>
#include <string>

// Where a user's copy of the wallpaper player lives: $XDG_DATA_HOME/merrowin/player, holding
// the program, its web files in web/, and STAMP (the bundle's stamp and a line feed).
std::string UserPlayerFolder();

// The stamp of the player installed in `folder`; nullopt when there is none.
std::optional<std::string> InstalledPlayerStamp(const std::string& folder);

// Puts the bundle's files into `folder` as a whole: they are written into a fresh folder beside
// it, which then takes its place, so that a reader sees the old player or the new one, never a
// mix. Leftovers of an interrupted install are removed first. False when it could not.
bool InstallPlayerBundle(const TPlayerBundle& bundle, const std::string& folder);
