// How long the built-in skin takes from its archive bytes in memory to a reader ready for
// lookups, next to what it cannot be faster than: zlib inflating the same member on its own.
// Read the ratio, not the times.
#include "skin/archive/SkinArchive.h"
#include "skin/archive/SkinFileReader.h"
#include "toolkit/streams/MemoryStream.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <string>

namespace {

struct Fixture {
    TMemoryStream archive;
    std::string packedMember; // the member's raw deflate data as it lies in the archive
    size_t memberSize = 0;

    Fixture()
    {
        archive.LoadFromFile(MERROWIN_BUILTIN_SKIN);
        const uint8_t* bytes = archive.Memory();
        auto u16 = [&](size_t at) { return size_t(bytes[at] | bytes[at + 1] << 8); };
        auto u32 = [&](size_t at) { return size_t(u16(at) | u16(at + 2) << 16); };
        const size_t data = 30 + u16(26) + u16(28);
        packedMember.assign(reinterpret_cast<const char*>(bytes) + data, u32(18));
        memberSize = u32(22);
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void BM_LoadBuiltinSkin(benchmark::State& state)
{
    Fixture& data = Data();
    for (auto _ : state) {
        TMemoryStream records;
        if (ExtractSkinEntry(data.archive, "SKINDATA.SK2", records, "") != skExtracted)
            state.SkipWithError("extraction failed");
        records.SetPosition(0);
        Tsk2SkinFileReader reader(records);
        benchmark::DoNotOptimize(reader.GetBitmap("SKIN2_TITLEBUTTONS"));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.memberSize));
}

void BM_BaselineZlibInflate(benchmark::State& state)
{
    Fixture& data = Data();
    std::string out(data.memberSize, '\0');
    for (auto _ : state) {
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef*>(data.packedMember.data());
        stream.avail_in = static_cast<uInt>(data.packedMember.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        const int status = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        if (status != Z_STREAM_END || stream.total_out != data.memberSize)
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.memberSize));
}

} // namespace

BENCHMARK(BM_LoadBuiltinSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineZlibInflate)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
