#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

class TStream;
class TZipCipher;

// Inflates the raw deflate data of a skin archive member. zlib decodes the blocks; the
// inflater stops it at every block boundary, and when the next block is a stored one it makes
// the block's NLEN the complement of its LEN before zlib reads it: skin archives do not keep
// NLEN right, and their readers have always gone by LEN alone.
class TSkinInflater {
public:
    // Reads `archive` from its position, decrypting on the way when a cipher is given, and
    // writes to `output` at most `limit` bytes.
    TSkinInflater(TStream& archive, TZipCipher* cipher, TStream& output, int64_t limit);
    ~TSkinInflater();
    TSkinInflater(const TSkinInflater&) = delete;
    TSkinInflater& operator=(const TSkinInflater&) = delete;

    // A TSkinExtractResult: extracted once the final block is done; failed on data zlib
    // refuses or data that ends first; refused as soon as the output would pass the limit.
    uint8_t Run();
    int64_t Written() const { return written_; }

private:
    bool Fill(size_t wanted);
    void MendStoredLengths(int pendingBits);

    TStream& archive_;
    TZipCipher* cipher_;
    TStream& output_;
    int64_t limit_;
    int64_t written_ = 0;
    z_stream stream_{};
    std::vector<uint8_t> in_;
    std::vector<uint8_t> out_;
    uint8_t lastByte_ = 0; // the input byte zlib took last; its high bits start the next header
};
