#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Sets `count` pixels to one value at the speed of a block copy. The compiler makes a plain loop
// of 32-bit stores out of std::fill for pixels, which is what filling a fresh bitmap or a wide
// rectangle cost most; past the first few pixels, each copy doubles what is already filled.
inline void FillPixels(uint32_t* pixels, size_t count, uint32_t value)
{
    const size_t seed = std::min<size_t>(count, 16);
    std::fill_n(pixels, seed, value);
    for (size_t done = seed; done < count;) {
        const size_t n = std::min(done, count - done);
        std::memcpy(pixels + done, pixels, n * sizeof(uint32_t));
        done += n;
    }
}
