#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// Writes skin archives: ZIP archives whose first two bytes read "SK", each member deflated and,
// when given a password, encrypted with the traditional ZIP cipher. Timestamps are fixed, so an
// unencrypted archive depends on nothing but its members. No ZIP64: members and the archive stay
// below 4 GiB, or Exception is raised.
class TSkinArchiveWriter {
public:
    explicit TSkinArchiveWriter(TStream& target);

    void AddMember(const std::string& name, std::string_view bytes, const std::string& password = {});
    // Writes the central directory and the end record; add nothing after it.
    void Finish();

private:
    struct TEntry {
        std::string name;
        uint16_t flags;
        uint32_t crc;
        uint32_t storedSize;
        uint32_t size;
        uint32_t localHeader;
    };

    void WriteLocalHeader(const TEntry& entry);
    void WriteCentralHeader(const TEntry& entry);

    TStream& target_;
    std::vector<TEntry> entries_;
};
