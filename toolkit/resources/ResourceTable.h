#pragma once

#include <cstddef>

// The table of resources the build embeds (cmake/EmbedResources.cmake writes its definition):
// sorted by name, names in upper case, each with the bytes of its file.
struct TResourceEntry {
    const char* name;
    const unsigned char* data;
    size_t size;
};

extern const TResourceEntry kResourceTable[];
extern const size_t kResourceCount;
