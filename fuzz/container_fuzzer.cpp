// Any bytes as an installer file: reading the trailer and every entry must end in a result or
// one of the reader's errors, never in a crash or an allocation the bytes cannot justify.
#include "installer/payload/DecompileStream.h"
#include "toolkit/core/Exceptions.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream file;
    file.WriteBuffer(data, static_cast<int64_t>(size));
    TDecompileStream container;
    try {
        container.Decompile(file);
    } catch (const Exception&) {
        return 0;
    }
    for (int32_t index = -1; index < std::min(container.Count(), 4); ++index) {
        for (bool force : {false, true}) {
            try {
                container.GetStream(index, force);
            } catch (const Exception&) {
            }
        }
    }
    return 0;
}
