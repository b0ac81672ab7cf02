#pragma once

#include "toolkit/streams/MemoryStream.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// Reads the payload container appended to the installer: entries laid end to end, then one
// (unpacked size, stored size) pair per entry, then the entry count, all little-endian 32-bit.
class TDecompileStream {
public:
    // Copies the whole of `source` and reads its trailer.
    void Decompile(TStream& source);
    // Reads the container in `file`, the whole of a file, where it lies: nothing is copied, so
    // the bytes must stay until the last GetStream.
    void Decompile(std::string_view file);

    // A new stream with the content of entry `index`, positioned at its end. Entries whose two
    // sizes differ, and every entry when `forceInflate` is set, are zlib streams and come back
    // inflated to their unpacked size; the rest come back as stored. An index at or past the
    // count gives an empty stream.
    std::unique_ptr<TMemoryStream> GetStream(int32_t index, bool forceInflate);

    int32_t Count() const { return count_; }
    int32_t UnpackedSize(int32_t index) const;
    int32_t StoredSize(int32_t index) const;

private:
    // The offset in `data_` just past the container's last byte, the end of its entry count.
    int64_t ContainerEnd() const;
    void ReadTrailer(int64_t end);
    int32_t ReadInt32At(int64_t offset) const;
    int64_t DataSize() const;
    // The container's byte at `offset`, which the caller has checked against DataSize().
    const uint8_t* ByteAt(int64_t offset) const { return reinterpret_cast<const uint8_t*>(data_.data()) + offset; }
    int64_t EntryOffset(int32_t index) const;

    int32_t count_ = 0;
    TMemoryStream copy_;     // what Decompile(TStream&) read
    std::string_view data_;  // the container: the file without a signature after it
    std::vector<int32_t> unpackedSizes_;
    std::vector<int32_t> storedSizes_;
};
