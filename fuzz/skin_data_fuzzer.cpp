// Any bytes as a skin's record file: loading must end in a loaded reader or one of the reader's
// errors, never in a crash, a hang or an allocation that the bytes cannot justify.
#include "skin/archive/SkinFileReader.h"
#include "toolkit/streams/MemoryStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream records;
    records.WriteBuffer(data, static_cast<int64_t>(size));
    try {
        Tsk2SkinFileReader reader(records);
        if (!reader.Loaded())
            std::abort();
        for (const TSkinRecordRef& record : reader.Records()) {
            if (record.kind == TSkinRecordKind::Bitmap && reader.GetBitmap(reader.Bitmaps()[record.index].name) == nullptr)
                std::abort();
        }
        reader.GetInteger("SKIN2_FORMCOLOR");
        reader.GetFlag("skin2_titlefivesect");
    } catch (const Exception&) {
    }
    return 0;
}
