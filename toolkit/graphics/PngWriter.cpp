#include "toolkit/graphics/PngWriter.h"

#include "toolkit/core/Deflater.h"
#include "toolkit/streams/MemoryStream.h"
#include "toolkit/streams/Stream.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kIdatSize = size_t(1) << 20;
constexpr uint8_t kColorRgb = 2, kColorRgba = 6;
constexpr int kFilterCount = 5;

[[noreturn]] void Fail()
{
    throw EInvalidGraphic();
}

void PutBE32(uint8_t* p, uint32_t value)
{
    p[0] = uint8_t(value >> 24);
    p[1] = uint8_t(value >> 16);
    p[2] = uint8_t(value >> 8);
    p[3] = uint8_t(value);
}

uint32_t BE32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// zlib's crc32 takes a null buffer as a request for the initial value, so empty data must not
// reach it.
uint32_t ChunkCrc(const uint8_t* type, const uint8_t* data, size_t size)
{
    uLong crc = crc32(0, type, 4);
    if (size > 0)
        crc = crc32(crc, data, uInt(size));
    return uint32_t(crc);
}

void WriteChunk(TStream& stream, const char* type, const uint8_t* data, size_t size)
{
    uint8_t head[8];
    PutBE32(head, uint32_t(size));
    std::memcpy(head + 4, type, 4);
    uint8_t crc[4];
    PutBE32(crc, ChunkCrc(head + 4, data, size));
    stream.WriteBuffer(head, 8);
    stream.WriteBuffer(data, int64_t(size));
    stream.WriteBuffer(crc, 4);
}

// The five PNG predictors over a (left), b (above) and c (above left).
uint8_t Predict(int filter, int a, int b, int c)
{
    switch (filter) {
    case 1: return uint8_t(a);
    case 2: return uint8_t(b);
    case 3: return uint8_t((a + b) / 2);
    case 4: {
        int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
    }
    default: return 0;
    }
}

void FilterRow(int filter, const uint8_t* row, const uint8_t* prior, size_t size, size_t bpp, uint8_t* out)
{
    for (size_t i = 0; i < size; ++i) {
        int a = i >= bpp ? row[i - bpp] : 0, c = i >= bpp ? prior[i - bpp] : 0;
        out[i] = uint8_t(row[i] - Predict(filter, a, prior[i], c));
    }
}

void UnfilterRow(int filter, uint8_t* row, const uint8_t* prior, size_t size, size_t bpp)
{
    for (size_t i = 0; i < size; ++i) {
        int a = i >= bpp ? row[i - bpp] : 0, c = i >= bpp ? prior[i - bpp] : 0;
        row[i] = uint8_t(row[i] + Predict(filter, a, prior[i], c));
    }
}

// The usual choice: the filter whose output, read as signed bytes, sums smallest.
uint64_t FilterCost(const uint8_t* filtered, size_t size)
{
    uint64_t cost = 0;
    for (size_t i = 0; i < size; ++i)
        cost += uint64_t(std::abs(int(int8_t(filtered[i]))));
    return cost;
}

void PixelsToSamples(const uint32_t* pixels, int width, size_t channels, uint8_t* out)
{
    for (int x = 0; x < width; ++x, out += channels) {
        uint32_t p = pixels[x];
        out[0] = uint8_t(p >> 16);
        out[1] = uint8_t(p >> 8);
        out[2] = uint8_t(p);
        if (channels == 4)
            out[3] = uint8_t(p >> 24);
    }
}

void SamplesToPixels(const uint8_t* samples, int width, size_t channels, uint32_t* out)
{
    for (int x = 0; x < width; ++x, samples += channels) {
        uint32_t alpha = channels == 4 ? samples[3] : 0xFF;
        out[x] = alpha << 24 | uint32_t(samples[0]) << 16 | uint32_t(samples[1]) << 8 | samples[2];
    }
}

// Compresses the filtered rows as they come and writes the output as IDAT chunks of a fixed
// size, so the picture is never held compressed in one piece.
class TIdatWriter {
public:
    explicit TIdatWriter(TStream& stream) : stream_(stream) {}

    void Add(const uint8_t* data, size_t size)
    {
        deflater_.Add(data, size);
        Drain(false);
    }

    void Finish()
    {
        deflater_.Finish();
        Drain(true);
    }

private:
    // Writes what is compressed so far as whole chunks, and at the end the rest as well.
    void Drain(bool all)
    {
        std::vector<uint8_t>& out = deflater_.Output();
        size_t done = 0;
        while (out.size() - done >= kIdatSize || (all && done < out.size())) {
            const size_t size = std::min(kIdatSize, out.size() - done);
            WriteChunk(stream_, "IDAT", out.data() + done, size);
            done += size;
        }
        out.erase(out.begin(), out.begin() + ptrdiff_t(done));
    }

    TStream& stream_;
    TDeflater deflater_;
};

void WriteHeader(const TBitmap& bitmap, TStream& stream, bool alpha)
{
    uint8_t ihdr[13] = {};
    PutBE32(ihdr, uint32_t(bitmap.Width()));
    PutBE32(ihdr + 4, uint32_t(bitmap.Height()));
    ihdr[8] = 8;
    ihdr[9] = alpha ? kColorRgba : kColorRgb;
    stream.WriteBuffer(kSignature, sizeof kSignature);
    WriteChunk(stream, "IHDR", ihdr, sizeof ihdr);
}

void WriteRows(const TBitmap& bitmap, TStream& stream, size_t channels)
{
    size_t size = size_t(bitmap.Width()) * channels;
    std::vector<uint8_t> prior(size, 0), row(size);
    std::vector<uint8_t> trial(size + 1), best(size + 1);
    TIdatWriter idat(stream);
    for (int y = 0; y < bitmap.Height(); ++y) {
        PixelsToSamples(bitmap.ScanLine(y), bitmap.Width(), channels, row.data());
        uint64_t bestCost = UINT64_MAX;
        for (int filter = 0; filter < kFilterCount; ++filter) {
            trial[0] = uint8_t(filter);
            FilterRow(filter, row.data(), prior.data(), size, channels, trial.data() + 1);
            uint64_t cost = FilterCost(trial.data() + 1, size);
            if (cost < bestCost) {
                bestCost = cost;
                best.swap(trial);
            }
        }
        idat.Add(best.data(), best.size());
        prior.swap(row);
    }
    idat.Finish();
}

// --- reading ---

struct TChunk {
    char type[5] = {};
    std::vector<uint8_t> data;

    bool Is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
    bool Critical() const { return (type[0] & 0x20) == 0; }
};

void ReadExact(TStream& stream, void* buffer, int64_t count)
{
    if (count > 0 && stream.Read(buffer, count) != count)
        Fail();
}

// Every length is checked against the bytes that are really there before anything is
// allocated for it.
TChunk ReadChunk(TStream& stream)
{
    uint8_t head[8];
    ReadExact(stream, head, 8);
    uint32_t length = BE32(head);
    if (length > 0x7FFFFFFFu || int64_t(length) + 4 > stream.Size() - stream.Position())
        Fail();
    TChunk chunk;
    std::memcpy(chunk.type, head + 4, 4);
    chunk.data.resize(length);
    ReadExact(stream, chunk.data.data(), length);
    uint8_t crc[4];
    ReadExact(stream, crc, 4);
    if (BE32(crc) != ChunkCrc(head + 4, chunk.data.data(), length))
        Fail();
    return chunk;
}

struct TPngHeader {
    int width = 0;
    int height = 0;
    size_t channels = 0;

    size_t RowSize() const { return size_t(width) * channels; }
};

TPngHeader ParseHeader(const TChunk& chunk)
{
    if (!chunk.Is("IHDR") || chunk.data.size() != 13)
        Fail();
    const uint8_t* d = chunk.data.data();
    int64_t width = BE32(d), height = BE32(d + 4);
    bool sized = width >= 1 && height >= 1 && width <= kMaxBitmapPixels && height <= kMaxBitmapPixels &&
                 width * height <= kMaxBitmapPixels;
    bool known = d[8] == 8 && (d[9] == kColorRgb || d[9] == kColorRgba) && d[10] == 0 && d[11] == 0 && d[12] == 0;
    if (!sized || !known)
        Fail();
    return {int(width), int(height), d[9] == kColorRgba ? size_t(4) : size_t(3)};
}

class TInflater {
public:
    TInflater()
    {
        if (inflateInit(&z_) != Z_OK)
            throw std::bad_alloc();
    }
    ~TInflater() { inflateEnd(&z_); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;

    // Exactly `expected` bytes or a failure. The output grows with what really comes out,
    // so a header that promises a huge picture costs nothing until the data delivers it.
    std::vector<uint8_t> Inflate(const std::vector<uint8_t>& input, size_t expected)
    {
        if (input.size() > UINT_MAX)
            Fail();
        z_.next_in = const_cast<Bytef*>(input.data());
        z_.avail_in = uInt(input.size());
        std::vector<uint8_t> out(std::min(expected, size_t(1) << 16));
        size_t produced = 0;
        for (;;) {
            if (produced == out.size() && out.size() < expected)
                out.resize(std::min(expected, out.size() * 2));
            z_.next_out = out.data() + produced;
            z_.avail_out = uInt(out.size() - produced);
            int rc = inflate(&z_, Z_NO_FLUSH);
            produced = out.size() - z_.avail_out;
            if (rc == Z_STREAM_END)
                break;
            if (rc != Z_OK)
                Fail();
        }
        if (produced != expected)
            Fail();
        return out;
    }

private:
    z_stream z_{};
};

void ReadSignature(TStream& stream)
{
    uint8_t signature[8];
    ReadExact(stream, signature, 8);
    if (std::memcmp(signature, kSignature, 8) != 0)
        Fail();
}

// Gathers the IDAT data up to IEND; ancillary chunks are skipped, PLTE is only a suggestion
// for true-colour pictures, and any other critical chunk is one this reader does not know.
std::vector<uint8_t> ReadImageData(TStream& stream)
{
    std::vector<uint8_t> data;
    for (;;) {
        TChunk chunk = ReadChunk(stream);
        if (chunk.Is("IEND"))
            return data;
        if (chunk.Is("IDAT"))
            data.insert(data.end(), chunk.data.begin(), chunk.data.end());
        else if (chunk.Critical() && !chunk.Is("PLTE"))
            Fail();
    }
}

TBitmap DecodeRows(std::vector<uint8_t>& rows, const TPngHeader& h)
{
    size_t size = h.RowSize();
    std::vector<uint8_t> zeros(size, 0);
    TBitmap bitmap(h.width, h.height);
    const uint8_t* prior = zeros.data();
    for (int y = 0; y < h.height; ++y) {
        uint8_t* line = rows.data() + size_t(y) * (size + 1);
        if (line[0] >= kFilterCount)
            Fail();
        UnfilterRow(line[0], line + 1, prior, size, h.channels);
        SamplesToPixels(line + 1, h.width, h.channels, bitmap.ScanLine(y));
        prior = line + 1;
    }
    bitmap.SetPixelFormat(h.channels == 4 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    return bitmap;
}

TBitmap ReadPicture(TStream& stream)
{
    ReadSignature(stream);
    TPngHeader h = ParseHeader(ReadChunk(stream));
    std::vector<uint8_t> compressed = ReadImageData(stream);
    std::vector<uint8_t> rows = TInflater().Inflate(compressed, size_t(h.height) * (h.RowSize() + 1));
    return DecodeRows(rows, h);
}

} // namespace

void WritePng(const TBitmap& bitmap, TStream& stream)
{
    if (bitmap.Empty())
        throw EInvalidGraphic();
    bool alpha = bitmap.PixelFormat() == TPixelFormat::pf32bit;
    WriteHeader(bitmap, stream, alpha);
    WriteRows(bitmap, stream, alpha ? 4 : 3);
    WriteChunk(stream, "IEND", nullptr, 0);
}

void SavePngToFile(const TBitmap& bitmap, const std::string& fileName)
{
    TMemoryStream bytes;
    WritePng(bitmap, bytes);
    bytes.SaveToFile(fileName);
}

bool ReadPng(TStream& stream, TBitmap& bitmap)
{
    try {
        bitmap = ReadPicture(stream);
        return true;
    } catch (const EInvalidGraphic&) {
        return false;
    }
}

bool LoadPngFromFile(const std::string& fileName, TBitmap& bitmap)
{
    TMemoryStream bytes;
    bytes.LoadFromFile(fileName);
    return ReadPng(bytes, bitmap);
}
