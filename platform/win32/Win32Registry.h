#pragma once

#include "platform/SystemServices.h"

// Opens a key of the real registry; nullptr when it can be neither fully nor read-only opened.
std::unique_ptr<RegistryKey> OpenWin32RegistryKey(TRegistryRoot root, const std::string& path, bool create);
