#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Compresses into a zlib stream (RFC 1950/1951) with the fixed Huffman codes and greedy matches
// found through one hash table. Its output runs some tenths larger than zlib's default level, but
// it is a few hundred bytes of code where zlib's compressor is some 27 KB, and the Windows
// installer carries it for its screenshots. Any inflater reads the result.
//
// Input comes in pieces of any size; output collects in Output() until the caller takes it.
class TDeflater {
public:
    TDeflater();

    void Add(const uint8_t* data, size_t size);
    // Compresses what is left and ends the stream; nothing may be added afterwards.
    void Finish();

    std::vector<uint8_t>& Output() { return out_; }

private:
    void Compress(size_t end);
    void Literal(uint8_t byte);
    void Match(size_t length, size_t distance);
    void PutHuffman(unsigned code, int bits);
    void PutBits(uint32_t value, int bits);
    void FlushBits();
    void Slide();
    size_t MatchLength(size_t pos, size_t candidate, size_t end) const;

    std::vector<uint8_t> window_;   // the history matches may reach, then what is not yet coded
    size_t pos_ = 0;                // the first byte of window_ not yet coded
    std::vector<uint32_t> head_;    // per hash: 1 + the latest position in window_ with it, or 0
    uint32_t adler_ = 1;
    uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::vector<uint8_t> out_;
};
