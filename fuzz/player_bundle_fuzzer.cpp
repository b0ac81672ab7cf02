// Any bytes as the player bundle an installer carries: reading gives a bundle or nothing, and a
// bundle that is read names only files that stay inside the folder it is installed into.
#include "player/core/PlayerBundle.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto bundle = ReadPlayerBundle(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!bundle)
        return 0;
    size_t total = 0;
    for (const TBundleFile& file : bundle->files) {
        if (!IsSafeBundleName(file.name))
            std::abort();
        total += file.content.size() + file.name.size();
    }
    if (total > size)
        std::abort();
    // What is read writes back to the same bytes.
    if (WritePlayerBundle(*bundle) != std::string_view(reinterpret_cast<const char*>(data), size))
        std::abort();
    return 0;
}
