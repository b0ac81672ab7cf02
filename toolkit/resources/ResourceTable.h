#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table of resources the build embeds (cmake/EmbedResources.cmake writes its definition):
// sorted by name, names in upper case, each with its file packed as one gzip member.
struct TResourceEntry {
    const char* name;
    const unsigned char* data;  // the gzip member
    size_t size;                // its length
    size_t unpackedSize;        // the length of the file
};

// The built-in styles' table, which LoadBitmapResource reads.
extern const TResourceEntry kResourceTable[];
extern const size_t kResourceTableCount;

// One embedded table. Names match without regard to the case of ASCII letters, as the
// platform's resource names do.
class TResourceTable {
public:
    TResourceTable(const TResourceEntry* entries, size_t count) : entries_(entries), count_(count) {}

    // The resource's bytes, or nullopt when the table has none of that name or its entry does
    // not unpack to exactly its file's length. An entry is unpacked once, on first use, and its
    // bytes then stay for the rest of the program.
    std::optional<std::string_view> Find(std::string_view name) const;
    // Every name, in upper case and sorted.
    std::vector<std::string> Names() const;

private:
    const TResourceEntry* entries_;
    size_t count_;
};
