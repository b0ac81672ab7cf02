#pragma once

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>

// Movie-like bytes: runs of repeated tiles among noise, so zlib packs them about 3 to 1, as it
// does real movies with their bitmaps and sounds. The same bytes on every run.
inline std::string MakeBenchMovie(size_t size)
{
    std::mt19937 random(20261208);
    std::string movie;
    movie.reserve(size);
    std::string tile(4096, '\0');
    while (movie.size() < size) {
        if (random() % 3 == 0)
            for (char& c : tile)
                c = static_cast<char>(random());
        movie.append(tile, 0, std::min(tile.size(), size - movie.size()));
        movie.push_back(static_cast<char>(random()));
    }
    movie.resize(size);
    return movie;
}
