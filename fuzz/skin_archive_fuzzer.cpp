// Any bytes as a skin archive: extraction must end in one of its three results, never in a
// crash, a hang or more output than the archive's own record of the member's size.
#include "skin/archive/SkinArchive.h"
#include "toolkit/streams/MemoryStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream archive;
    archive.WriteBuffer(data, static_cast<int64_t>(size));
    for (const char* password : {"", "secret"}) {
        TMemoryStream output;
        const uint8_t result = ExtractSkinEntry(archive, "SKINDATA.SK2", output, password);
        if (result > skRefused)
            std::abort();
        if (result == skExtracted && output.Size() == 0)
            std::abort();
    }
    return 0;
}
