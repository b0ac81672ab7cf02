#pragma once

#include "toolkit/resources/ResourceTable.h"

#include <optional>
#include <string>

// The bytes of a table entry: its gzip member inflated. nullopt when the member is damaged,
// fails its check sum or does not hold exactly unpackedSize bytes.
std::optional<std::string> UnpackResource(const TResourceEntry& entry);
