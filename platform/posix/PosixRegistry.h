#pragma once

#include "platform/SystemServices.h"

#include <optional>
#include <string>
#include <string_view>

// The registry where Linux has none. Two keys are views of the user's freedesktop folders and of
// fixed Linux folders (see ViewValue); what the program writes goes to the store file
// `storeFile` (see RegistryStore), and a stored value hides the view's value of the same name.
std::unique_ptr<RegistryKey> OpenPosixRegistryKey(const std::string& storeFile, TRegistryRoot root,
                                                  const std::string& path, bool create);

// What the views answer for a value: "Personal", "Desktop", "Templates", "My Music",
// "My Pictures", "My Video" (the xdg-user-dir folders), "AppData", "Local AppData", "Cache" and
// "Fonts" (the XDG base folders) of the user's shell-folders key, and the program, shared-file,
// configuration, driver, sound and wallpaper folders of the machine's CurrentVersion key.
// nullopt for any other key or name.
std::optional<std::string> ViewValue(TRegistryRoot root, std::string_view keyPath, std::string_view name);
