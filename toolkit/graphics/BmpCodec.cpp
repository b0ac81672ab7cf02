#include "toolkit/graphics/BmpCodec.h"

#include "toolkit/streams/Stream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>
#include <vector>

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3, kBiAlphaBitFields = 6;
constexpr int64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

using TPalette = std::array<uint32_t, 256>;

[[noreturn]] void Fail()
{
    throw EInvalidGraphic();
}

uint16_t U16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void Put16(uint8_t* p, uint32_t value)
{
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
}

void Put32(uint8_t* p, uint32_t value)
{
    Put16(p, value);
    Put16(p + 2, value >> 16);
}

// A short read means a truncated picture, which is the picture's fault, not the stream's.
void ReadExact(TStream& stream, void* buffer, int64_t count)
{
    if (count > 0 && stream.Read(buffer, count) != count)
        Fail();
}

int64_t Remaining(TStream& stream)
{
    return std::max<int64_t>(stream.Size() - stream.Position(), 0);
}

// The parts of an info header that the reader uses, whichever header it came from.
struct TDibHeader {
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0; // rows; the direction is in topDown
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;
    std::array<uint32_t, 4> masks{}; // red, green, blue, alpha

    bool IsRle() const { return compression == kBiRle8 || compression == kBiRle4; }
    bool HasBitFields() const { return compression == kBiBitFields || compression == kBiAlphaBitFields; }
};

void ParseCoreHeader(const uint8_t* p, TDibHeader& h)
{
    h.width = U16(p + 4);
    h.height = U16(p + 6);
    h.bits = U16(p + 10);
}

void ParseInfoHeader(const uint8_t* p, TDibHeader& h)
{
    h.width = static_cast<int32_t>(U32(p + 4));
    int64_t height = static_cast<int32_t>(U32(p + 8));
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    h.bits = U16(p + 14);
    h.compression = U32(p + 16);
    h.imageSize = U32(p + 20);
    h.colorsUsed = U32(p + 32);
    // The 52- and 56-byte headers and V4/V5 carry the bit fields inside; 56 and up add alpha.
    for (uint32_t i = 0; i < 4 && 40 + 4 * i + 4 <= h.headerSize; ++i)
        h.masks[i] = U32(p + 40 + 4 * i);
}

// A 40-byte header keeps its bit fields after itself.
void ReadTrailingMasks(TStream& stream, TDibHeader& h)
{
    if (h.headerSize != kInfoHeaderSize || !h.HasBitFields())
        return;
    int count = h.compression == kBiAlphaBitFields ? 4 : 3;
    uint8_t bytes[16];
    ReadExact(stream, bytes, 4 * count);
    for (int i = 0; i < count; ++i)
        h.masks[i] = U32(bytes + 4 * i);
}

// Without bit fields the masks in a header mean nothing, and 32-bit pixels have no alpha.
void SetDefaultMasks(TDibHeader& h)
{
    if (h.HasBitFields())
        return;
    if (h.bits == 16)
        h.masks = {0x7C00, 0x03E0, 0x001F, 0};
    else
        h.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};
}

bool KnownDepth(const TDibHeader& h)
{
    switch (h.compression) {
    case kBiRgb: return h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    case kBiRle8: return h.bits == 8 && !h.topDown;
    case kBiRle4: return h.bits == 4 && !h.topDown;
    case kBiBitFields:
    case kBiAlphaBitFields: return h.bits == 16 || h.bits == 32;
    default: return false;
    }
}

void CheckHeader(const TDibHeader& h)
{
    // Each side is bounded too: a picture 0 pixels wide must not have 2^31 empty rows to walk.
    bool sized = h.width >= 0 && h.width <= kMaxBitmapPixels && h.height <= kMaxBitmapPixels &&
                 h.width * h.height <= kMaxBitmapPixels;
    if (!sized || !KnownDepth(h))
        Fail();
}

TDibHeader ReadDibHeader(TStream& stream)
{
    uint8_t bytes[124];
    ReadExact(stream, bytes, 4);
    TDibHeader h;
    h.headerSize = U32(bytes);
    static constexpr uint32_t kSizes[] = {kCoreHeaderSize, kInfoHeaderSize, 52, 56, 108, 124};
    if (std::find(std::begin(kSizes), std::end(kSizes), h.headerSize) == std::end(kSizes))
        Fail();
    ReadExact(stream, bytes + 4, h.headerSize - 4);
    if (h.headerSize == kCoreHeaderSize)
        ParseCoreHeader(bytes, h);
    else
        ParseInfoHeader(bytes, h);
    ReadTrailingMasks(stream, h);
    SetDefaultMasks(h);
    CheckHeader(h);
    return h;
}

int64_t PaletteEntryBytes(const TDibHeader& h)
{
    return h.headerSize == kCoreHeaderSize ? 3 : 4;
}

// Up to 2^bits entries; a header that claims more is lying about something.
int64_t PaletteCount(const TDibHeader& h)
{
    if (h.bits > 8)
        return 0;
    int64_t full = int64_t(1) << h.bits;
    if (h.colorsUsed == 0 || h.headerSize == kCoreHeaderSize)
        return full;
    if (h.colorsUsed > full)
        Fail();
    return h.colorsUsed;
}

// Indices past the palette read as black rather than out of bounds.
TPalette ReadPalette(TStream& stream, const TDibHeader& h)
{
    TPalette palette;
    palette.fill(kOpaqueBlack);
    int64_t count = PaletteCount(h);
    int64_t entryBytes = PaletteEntryBytes(h);
    if (count * entryBytes > Remaining(stream))
        Fail();
    std::vector<uint8_t> bytes(size_t(count * entryBytes));
    ReadExact(stream, bytes.data(), int64_t(bytes.size()));
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* entry = bytes.data() + i * entryBytes;
        palette[size_t(i)] = kOpaqueBlack | uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
    }
    return palette;
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
class TChannel {
public:
    explicit TChannel(uint32_t mask) : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}

    uint32_t Value(uint32_t pixel, uint32_t absent) const
    {
        if (mask_ == 0)
            return absent;
        uint64_t raw = (pixel & mask_) >> shift_;
        return uint32_t((raw * 255 + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    int shift_;
    uint32_t max_;
};

// Turns one stored row into 0xAARRGGBB pixels.
class TRowDecoder {
public:
    TRowDecoder(const TDibHeader& h, const TPalette& palette)
        : bits_(h.bits), palette_(palette), red_(h.masks[0]), green_(h.masks[1]), blue_(h.masks[2]),
          alpha_(h.masks[3])
    {
    }

    void Decode(const uint8_t* row, uint32_t* out, int width) const
    {
        if (bits_ <= 8)
            DecodeIndexed(row, out, width);
        else if (bits_ == 24)
            DecodeTriples(row, out, width);
        else
            DecodeFields(row, out, width);
    }

private:
    void DecodeIndexed(const uint8_t* row, uint32_t* out, int width) const
    {
        int perByte = 8 / bits_;
        unsigned mask = (1u << bits_) - 1;
        for (int x = 0; x < width; ++x) {
            int shift = 8 - bits_ * (x % perByte + 1);
            out[x] = palette_[(row[x / perByte] >> shift) & mask];
        }
    }

    static void DecodeTriples(const uint8_t* row, uint32_t* out, int width)
    {
        for (int x = 0; x < width; ++x, row += 3)
            out[x] = kOpaqueBlack | uint32_t(row[2]) << 16 | uint32_t(row[1]) << 8 | row[0];
    }

    void DecodeFields(const uint8_t* row, uint32_t* out, int width) const
    {
        int step = bits_ / 8;
        for (int x = 0; x < width; ++x, row += step) {
            uint32_t v = step == 2 ? U16(row) : U32(row);
            out[x] = alpha_.Value(v, 255) << 24 | red_.Value(v, 0) << 16 | green_.Value(v, 0) << 8 | blue_.Value(v, 0);
        }
    }

    int bits_;
    const TPalette& palette_;
    TChannel red_, green_, blue_, alpha_;
};

// Decodes BI_RLE8 and BI_RLE4. Rows count up from the bottom. Every command consumes bytes, so
// the loop ends with the data; writes outside the picture are dropped.
class TRleDecoder {
public:
    TRleDecoder(std::span<const uint8_t> data, bool fourBit, const TPalette& palette, TBitmap& bitmap)
        : data_(data), fourBit_(fourBit), palette_(palette), bitmap_(bitmap)
    {
    }

    void Run()
    {
        while (pos_ < data_.size() && y_ < bitmap_.Height()) {
            uint8_t count = Next();
            uint8_t value = Next();
            if (count > 0)
                EncodedRun(count, value);
            else if (value == 0)
                NextLine();
            else if (value == 1)
                return;
            else if (value == 2)
                Delta();
            else
                AbsoluteRun(value);
        }
    }

private:
    uint8_t Next()
    {
        if (pos_ >= data_.size())
            Fail();
        return data_[pos_++];
    }

    void Put(uint8_t index)
    {
        if (x_ < bitmap_.Width() && y_ < bitmap_.Height()) {
            int64_t row = bitmap_.Height() - 1 - y_;
            bitmap_.Bits()[row * bitmap_.Width() + x_] = palette_[index];
        }
        ++x_;
    }

    // RLE4 packs two indices in a byte, high nibble first, and a run alternates them.
    void EncodedRun(int count, uint8_t value)
    {
        for (int i = 0; i < count; ++i)
            Put(!fourBit_ ? value : i % 2 == 0 ? value >> 4 : value & 0x0F);
    }

    // Literal indices, padded to a 16-bit boundary.
    void AbsoluteRun(int count)
    {
        size_t bytes = fourBit_ ? size_t(count + 1) / 2 : size_t(count);
        size_t padded = bytes + bytes % 2;
        if (data_.size() - pos_ < padded)
            Fail();
        const uint8_t* run = data_.data() + pos_;
        for (int i = 0; i < count; ++i)
            Put(!fourBit_ ? run[i] : i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 0x0F);
        pos_ += padded;
    }

    void NextLine()
    {
        x_ = 0;
        ++y_;
    }

    void Delta()
    {
        x_ += Next();
        y_ += Next();
    }

    std::span<const uint8_t> data_;
    bool fourBit_;
    const TPalette& palette_;
    TBitmap& bitmap_;
    size_t pos_ = 0;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

TPixelFormat FormatOf(const TDibHeader& h)
{
    switch (h.bits) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16: return h.masks[1] == 0x03E0 ? TPixelFormat::pf15bit : TPixelFormat::pf16bit;
    case 24: return TPixelFormat::pf24bit;
    default: return TPixelFormat::pf32bit;
    }
}

std::vector<uint8_t> ReadBytes(TStream& stream, int64_t count)
{
    if (count > Remaining(stream))
        Fail();
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(count, 0)));
    ReadExact(stream, bytes.data(), int64_t(bytes.size()));
    return bytes;
}

// The data runs to biSizeImage when that is given, else to the end of the stream. The whole
// picture is allocated up front: RLE may leave most of it to the background, so the data's
// size says little about the picture's. Little, not nothing: a picture past a few megapixels
// must bring some kilobytes of data, so a few hostile bytes cannot claim a gigabyte.
void ReadRle(TStream& stream, const TDibHeader& h, const TPalette& palette, TBitmap& bitmap)
{
    int64_t size = Remaining(stream);
    if (h.imageSize != 0)
        size = std::min<int64_t>(size, h.imageSize);
    constexpr int64_t kFreePixels = int64_t(1) << 22, kPixelsPerByte = 1024;
    if (h.width * h.height > std::max(kFreePixels, size * kPixelsPerByte))
        Fail();
    std::vector<uint8_t> data = ReadBytes(stream, size);
    bitmap.SetSize(int(h.width), int(h.height));
    TRleDecoder(data, h.compression == kBiRle4, palette, bitmap).Run();
}

// Every row is padded to 4 bytes, but the last one's padding is often left out of the file.
void ReadRows(TStream& stream, const TDibHeader& h, const TPalette& palette, TBitmap& bitmap)
{
    int64_t rowBytes = (h.width * h.bits + 31) / 32 * 4;
    int64_t lastRowBytes = (h.width * h.bits + 7) / 8;
    int64_t needed = h.height == 0 ? 0 : rowBytes * (h.height - 1) + lastRowBytes;
    std::vector<uint8_t> data = ReadBytes(stream, needed);
    if (h.height > 0)
        stream.Seek(std::min(rowBytes - lastRowBytes, Remaining(stream)), TSeekOrigin::soCurrent);
    bitmap.SetSize(int(h.width), int(h.height));
    if (bitmap.Empty())
        return;
    TRowDecoder decoder(h, palette);
    for (int64_t r = 0; r < h.height; ++r) {
        int64_t y = h.topDown ? r : h.height - 1 - r;
        decoder.Decode(data.data() + r * rowBytes, bitmap.ScanLine(int(y)), int(h.width));
    }
}

void ReadPixels(TStream& stream, const TDibHeader& h, const TPalette& palette, TBitmap& bitmap)
{
    TBitmap loaded;
    if (h.IsRle())
        ReadRle(stream, h, palette, loaded);
    else
        ReadRows(stream, h, palette, loaded);
    loaded.SetPixelFormat(FormatOf(h));
    bitmap = std::move(loaded);
}

void WriteHeaders(const TBitmap& bitmap, TStream& stream, int bits, uint32_t imageSize)
{
    constexpr uint32_t kOffset = kFileHeaderSize + kInfoHeaderSize;
    uint8_t header[kOffset] = {'B', 'M'};
    Put32(header + 2, kOffset + imageSize);
    Put32(header + 10, kOffset);
    Put32(header + 14, kInfoHeaderSize);
    Put32(header + 18, uint32_t(bitmap.Width()));
    Put32(header + 22, uint32_t(bitmap.Height()));
    Put16(header + 26, 1);
    Put16(header + 28, uint32_t(bits));
    Put32(header + 30, kBiRgb);
    Put32(header + 34, imageSize);
    stream.WriteBuffer(header, kOffset);
}

void EncodeRow(const uint32_t* pixels, int width, int bytesPerPixel, uint8_t* out)
{
    for (int x = 0; x < width; ++x, out += bytesPerPixel) {
        uint32_t p = pixels[x];
        out[0] = uint8_t(p);
        out[1] = uint8_t(p >> 8);
        out[2] = uint8_t(p >> 16);
        if (bytesPerPixel == 4)
            out[3] = uint8_t(p >> 24);
    }
}

} // namespace

void ReadDib(TStream& stream, TBitmap& bitmap)
{
    TDibHeader h = ReadDibHeader(stream);
    TPalette palette = ReadPalette(stream, h);
    // Deeper pictures may still list colours for palette devices; the pixels follow them.
    if (h.bits > 8 && h.headerSize != kCoreHeaderSize) {
        int64_t skip = int64_t(h.colorsUsed) * 4;
        if (skip > Remaining(stream))
            Fail();
        stream.Seek(skip, TSeekOrigin::soCurrent);
    }
    ReadPixels(stream, h, palette, bitmap);
}

void ReadBmp(TStream& stream, TBitmap& bitmap)
{
    int64_t start = stream.Position();
    uint8_t fileHeader[kFileHeaderSize];
    ReadExact(stream, fileHeader, kFileHeaderSize);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M')
        Fail();
    int64_t pixelStart = start + U32(fileHeader + 10);
    TDibHeader h = ReadDibHeader(stream);
    int64_t headersEnd = stream.Position();
    TPalette palette = ReadPalette(stream, h);
    // The pixels may share bytes with the palette (writers that list fewer colours than they
    // declare) but not with the headers.
    if (pixelStart < headersEnd || pixelStart > stream.Size())
        Fail();
    stream.SetPosition(pixelStart);
    ReadPixels(stream, h, palette, bitmap);
}

void WriteBmp(const TBitmap& bitmap, TStream& stream, TBmpDepth depth)
{
    int bytesPerPixel = depth == TBmpDepth::bits32 ? 4 : 3;
    int64_t rowBytes = bitmap.Empty() ? 0 : (int64_t(bitmap.Width()) * bytesPerPixel + 3) / 4 * 4;
    WriteHeaders(bitmap, stream, bytesPerPixel * 8, uint32_t(rowBytes * bitmap.Height()));
    std::vector<uint8_t> row(size_t(rowBytes), 0);
    for (int y = bitmap.Height() - 1; y >= 0 && rowBytes > 0; --y) {
        EncodeRow(bitmap.ScanLine(y), bitmap.Width(), bytesPerPixel, row.data());
        stream.WriteBuffer(row.data(), rowBytes);
    }
}
