#include "skin/archive/SkinInflater.h"

#include "skin/archive/SkinArchive.h"
#include "skin/archive/ZipCipher.h"
#include "toolkit/streams/Stream.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t kInputChunk = 16 * 1024;
constexpr size_t kOutputChunk = 64 * 1024;
// Flags zlib adds to data_type: it stopped right after a block, and that block was the last.
constexpr int kAtBoundary = 128;
constexpr int kLastBlock = 64;
constexpr int kPendingBitsMask = 7;

} // namespace

TSkinInflater::TSkinInflater(TStream& archive, TZipCipher* cipher, TStream& output, int64_t limit)
    : archive_(archive), cipher_(cipher), output_(output), limit_(limit), in_(kInputChunk), out_(kOutputChunk)
{
    if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK)
        throw std::bad_alloc();
    stream_.next_in = in_.data();
    stream_.avail_in = 0;
}

TSkinInflater::~TSkinInflater() { inflateEnd(&stream_); }

uint8_t TSkinInflater::Run()
{
    // The data starts at a block boundary, with no bits of it taken yet.
    bool atBoundary = true;
    int pendingBits = 0;
    for (;;) {
        if (atBoundary)
            MendStoredLengths(pendingBits);
        if (!Fill(1))
            return skFailed; // the data ended before the final block
        stream_.next_out = out_.data();
        stream_.avail_out = static_cast<uInt>(out_.size());
        const uInt before = stream_.avail_in;
        const int status = inflate(&stream_, Z_BLOCK);
        if (stream_.avail_in < before)
            lastByte_ = stream_.next_in[-1];
        const auto produced = static_cast<int64_t>(out_.size() - stream_.avail_out);
        // A few hostile bytes can ask for gigabytes, and the result is wrong anyway.
        if (written_ + produced > limit_)
            return skRefused;
        output_.WriteBuffer(out_.data(), produced);
        written_ += produced;
        if (status == Z_STREAM_END)
            return skExtracted;
        atBoundary = (stream_.data_type & kAtBoundary) != 0;
        // Input and room were there: no progress is only right when a block ended from bits
        // zlib already held.
        if (status != Z_OK && !(status == Z_BUF_ERROR && atBoundary))
            return skFailed;
        if (atBoundary && (stream_.data_type & kLastBlock))
            return skExtracted;
        pendingBits = stream_.data_type & kPendingBitsMask;
    }
}

// Makes `wanted` input bytes available, or as many as there are when the data ends first;
// false when there are none.
bool TSkinInflater::Fill(size_t wanted)
{
    if (stream_.avail_in >= wanted)
        return true;
    // The unread rest moves to the front: zlib keeps no pointer into the buffer between calls.
    size_t have = stream_.avail_in;
    std::memmove(in_.data(), stream_.next_in, have);
    while (have < wanted) {
        const int64_t count = archive_.Read(in_.data() + have, static_cast<int64_t>(in_.size() - have));
        if (count <= 0)
            break;
        if (cipher_)
            cipher_->Decrypt(in_.data() + have, static_cast<size_t>(count));
        have += static_cast<size_t>(count);
    }
    stream_.next_in = in_.data();
    stream_.avail_in = static_cast<uInt>(have);
    return have > 0;
}

// At a block boundary zlib holds the `pendingBits` high bits of the byte it took last, and the
// next block's three header bits start there. A stored block pads its header to the byte's end,
// then has LEN and NLEN; NLEN becomes the complement of LEN before zlib reads it.
void TSkinInflater::MendStoredLengths(int pendingBits)
{
    const size_t lengthsAt = pendingBits >= 3 ? 0 : 1;
    Fill(lengthsAt + 4);
    if (stream_.avail_in < lengthsAt + 4)
        return; // the data ends inside the header: zlib says so
    uint8_t* next = in_.data() + (stream_.next_in - in_.data());
    const unsigned header = ((unsigned(lastByte_) >> (8 - pendingBits)) | (unsigned(next[0]) << pendingBits)) & 7;
    const bool stored = (header >> 1) == 0;
    if (!stored)
        return;
    uint8_t* lengths = next + lengthsAt;
    lengths[2] = static_cast<uint8_t>(~lengths[0]);
    lengths[3] = static_cast<uint8_t>(~lengths[1]);
}
