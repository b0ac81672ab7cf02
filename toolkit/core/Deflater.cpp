#include "toolkit/core/Deflater.h"

#include <zlib.h>

#include <algorithm>

namespace {

constexpr size_t kWindow = 32768;   // the farthest a match may reach back
constexpr size_t kMinMatch = 3, kMaxMatch = 258;
constexpr int kHashBits = 15;
constexpr unsigned kEndOfBlock = 256;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,    65,    97,    129,
                                        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

uint32_t Hash(const uint8_t* p)
{
    const uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    return (v * 2654435761u) >> (32 - kHashBits);
}

// The index of the last entry of `bases` not above `value`.
template <size_t N> size_t BaseIndex(const uint16_t (&bases)[N], size_t value)
{
    return size_t(std::upper_bound(bases, bases + N, value) - bases) - 1;
}

}  // namespace

TDeflater::TDeflater() : head_(size_t(1) << kHashBits, 0)
{
    out_ = {0x78, 0x01};   // deflate with a 32 KB window, no dictionary
    PutBits(0, 1);         // not the last block: Finish() ends with an empty one
    PutBits(1, 2);         // fixed Huffman codes
}

void TDeflater::Add(const uint8_t* data, size_t size)
{
    // In slices, so that the window stays bounded whatever the caller hands over at once.
    while (size > 0) {
        const size_t take = std::min(size, kWindow);
        adler_ = uint32_t(adler32(adler_, data, uInt(take)));
        window_.insert(window_.end(), data, data + take);
        data += take;
        size -= take;
        if (window_.size() > kMaxMatch)
            Compress(window_.size() - kMaxMatch);
        if (pos_ > 2 * kWindow)
            Slide();
    }
}

void TDeflater::Finish()
{
    Compress(window_.size());
    PutHuffman(0, 7);   // end of block (256)
    PutBits(1, 1);      // the last block, empty
    PutBits(1, 2);
    PutHuffman(0, 7);
    FlushBits();
    for (int shift = 24; shift >= 0; shift -= 8)
        out_.push_back(uint8_t(adler_ >> shift));
}

// Codes every position before `end`; a match may run on into what lies after it.
void TDeflater::Compress(size_t end)
{
    while (pos_ < end) {
        size_t length = 0, distance = 0;
        if (pos_ + kMinMatch <= window_.size()) {
            uint32_t& slot = head_[Hash(&window_[pos_])];
            if (slot != 0 && pos_ - (slot - 1) <= kWindow) {
                distance = pos_ - (slot - 1);
                length = MatchLength(pos_, slot - 1, std::min(window_.size(), pos_ + kMaxMatch));
            }
            slot = uint32_t(pos_ + 1);
        }
        if (length < kMinMatch) {
            Literal(window_[pos_++]);
            continue;
        }
        Match(length, distance);
        for (const size_t last = pos_ + length; ++pos_ < last;)
            if (pos_ + kMinMatch <= window_.size())
                head_[Hash(&window_[pos_])] = uint32_t(pos_ + 1);
    }
}

size_t TDeflater::MatchLength(size_t pos, size_t candidate, size_t limit) const
{
    size_t n = 0;
    while (pos + n < limit && window_[candidate + n] == window_[pos + n])
        ++n;
    return n;
}

// Keeps one window of history, and moves the hash table's positions along with it.
void TDeflater::Slide()
{
    const size_t drop = pos_ - kWindow;
    window_.erase(window_.begin(), window_.begin() + ptrdiff_t(drop));
    pos_ -= drop;
    for (uint32_t& slot : head_)
        slot = slot > drop ? uint32_t(slot - drop) : 0;
}

void TDeflater::Literal(uint8_t byte)
{
    if (byte < 144)
        PutHuffman(0x30u + byte, 8);
    else
        PutHuffman(0x190u + (byte - 144u), 9);
}

void TDeflater::Match(size_t length, size_t distance)
{
    const size_t li = BaseIndex(kLengthBase, length);
    const unsigned symbol = 257 + unsigned(li);
    if (symbol < 280)
        PutHuffman(symbol - kEndOfBlock, 7);
    else
        PutHuffman(0xC0u + (symbol - 280u), 8);
    PutBits(uint32_t(length - kLengthBase[li]), kLengthExtra[li]);
    const size_t di = BaseIndex(kDistanceBase, distance);
    PutHuffman(unsigned(di), 5);
    PutBits(uint32_t(distance - kDistanceBase[di]), kDistanceExtra[di]);
}

// Huffman codes go out from their highest bit, everything else from the lowest.
void TDeflater::PutHuffman(unsigned code, int bits)
{
    uint32_t reversed = 0;
    for (int i = 0; i < bits; ++i)
        reversed |= ((code >> i) & 1u) << (bits - 1 - i);
    PutBits(reversed, bits);
}

void TDeflater::PutBits(uint32_t value, int bits)
{
    bitBuffer_ |= uint64_t(value) << bitCount_;
    bitCount_ += bits;
    for (; bitCount_ >= 8; bitCount_ -= 8, bitBuffer_ >>= 8)
        out_.push_back(uint8_t(bitBuffer_));
}

void TDeflater::FlushBits()
{
    if (bitCount_ > 0)
        PutBits(0, 8 - bitCount_);
}
