// Feeds arbitrary bytes to the bitmap reader. Bad input must end in the toolkit's exception;
// anything that loads must also survive a save and a second load with the same pixels.
#include "toolkit/core/Exceptions.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/BmpCodec.h"
#include "toolkit/streams/MemoryStream.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Round trips cost three copies of the picture; big RLE pictures from tiny inputs would only
// slow the search down.
constexpr int64_t kRoundTripPixels = int64_t(1) << 20;

void CheckRoundTrip(const TBitmap& bitmap)
{
    if (int64_t(bitmap.Width()) * bitmap.Height() > kRoundTripPixels)
        return;
    TMemoryStream saved;
    bitmap.SaveToStream(saved);
    saved.SetPosition(0);
    TBitmap again;
    again.LoadFromStream(saved);
    if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height())
        std::abort();
    // A saved file carries no alpha the reader takes back, so compare colours only.
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if ((again.ScanLine(y)[x] ^ bitmap.ScanLine(y)[x]) & 0x00FFFFFF)
                std::abort();
}

void LoadFile(const uint8_t* data, size_t size)
{
    TMemoryStream stream;
    stream.WriteBuffer(data, int64_t(size));
    stream.SetPosition(0);
    TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (Exception&) {
        return;
    }
    CheckRoundTrip(bitmap);
}

// The same bytes past a file header make a packed DIB, which reaches the reader another way.
void LoadDib(const uint8_t* data, size_t size)
{
    if (size <= 14)
        return;
    TMemoryStream stream;
    stream.WriteBuffer(data + 14, int64_t(size - 14));
    stream.SetPosition(0);
    TBitmap bitmap;
    try {
        ReadDib(stream, bitmap);
    } catch (Exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LoadFile(data, size);
    LoadDib(data, size);
    return 0;
}
