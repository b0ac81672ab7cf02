#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class TStream;

// Writes a payload container that TDecompileStream reads: entries end to end, each stored raw or
// as a zlib stream, then the size pairs and the count. Raises when an entry or the whole
// container would not fit the format's signed 32-bit sizes.
class TContainerWriter {
public:
    explicit TContainerWriter(TStream& target) : target_(target) {}

    void AddRaw(std::string_view bytes);
    // Packs at the highest compression level, as installers have always been packed.
    void AddPacked(std::string_view bytes);
    // Writes the trailer; nothing may be added after it.
    void Finish();

private:
    struct Sizes {
        int32_t unpacked;
        int32_t stored;
    };
    void AddEntry(std::string_view stored, int64_t unpacked);

    TStream& target_;
    std::vector<Sizes> sizes_;
    int64_t total_ = 0;
};
