// How long the installer takes to get its movie out of its own file, next to the two things it
// cannot be faster than: reading the file, and zlib inflating the same bytes on its own. Read
// the ratios, not the times: they hold from machine to machine.
#include "BenchMovie.h"
#include "installer/payload/ContainerWriter.h"
#include "installer/payload/DecompileStream.h"
#include "toolkit/core/Utf8Path.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr size_t kMovieSize = 50u << 20;

struct Fixture {
    std::string path;
    std::string movie;
    std::string packedMovie;

    Fixture()
    {
        path = PathToUtf8(std::filesystem::temp_directory_path() / "merrowin-payload-bench.bin");
        movie = MakeBenchMovie(kMovieSize);
        TMemoryStream installer;
        TContainerWriter writer(installer);
        writer.AddRaw(std::string(200000, 'x'));
        writer.AddPacked(movie);
        writer.AddPacked("1\r\nTitle\r\n");
        writer.Finish();
        installer.SaveToFile(path);
        TDecompileStream container;
        container.Decompile(installer);
        // The packed movie exactly as it lies in the file.
        packedMovie = std::string(installer.View().substr(200000, static_cast<size_t>(container.StoredSize(1))));
    }
    ~Fixture() { std::filesystem::remove(Utf8Path(path)); }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void BM_InstallerExtractsMovie(benchmark::State& state)
{
    for (auto _ : state) {
        TFileStream file(Data().path, TFileStream::fmOpenRead);
        TDecompileStream container;
        container.Decompile(file);
        std::unique_ptr<TMemoryStream> movie = container.GetStream(1, true);
        benchmark::DoNotOptimize(movie->Memory());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kMovieSize));
}

void BM_BaselineZlibInflate(benchmark::State& state)
{
    const std::string& packed = Data().packedMovie;
    for (auto _ : state) {
        // A fresh buffer each time, as any extraction needs one: its page faults are part of
        // the cost on both sides.
        std::unique_ptr<Bytef[]> out(new Bytef[kMovieSize]);
        uLongf outSize = kMovieSize;
        int status = uncompress(out.get(), &outSize, reinterpret_cast<const Bytef*>(packed.data()),
                                static_cast<uLong>(packed.size()));
        if (status != Z_OK || outSize != kMovieSize)
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kMovieSize));
}

void BM_BaselineReadFile(benchmark::State& state)
{
    for (auto _ : state) {
        TMemoryStream bytes;
        bytes.LoadFromFile(Data().path);
        benchmark::DoNotOptimize(bytes.Memory());
    }
}

} // namespace

BENCHMARK(BM_InstallerExtractsMovie)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BaselineZlibInflate)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BaselineReadFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
