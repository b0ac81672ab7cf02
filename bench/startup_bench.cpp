// How long a user waits for the wizard: from starting an installer with a 10 MB movie to its
// first frame, next to what the installer cannot skip (reading its file and inflating the
// payload with zlib) and next to starting a program that does nothing. Read the ratios, not the
// times. A started program's time is the processor time it used (user and system, from wait4),
// so that other work on a busy machine does not count; its wall-clock time is the counter
// wall_ms. The in-process baseline is timed by its own processor time too (the CPU column).
#include "BenchMovie.h"
#include "installer/payload/ContainerWriter.h"
#include "installer/payload/DecompileStream.h"
#include "installer/project/Project.h"
#include "toolkit/streams/MemoryStream.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr size_t kMovieSize = 10u << 20;

struct Fixture {
    std::filesystem::path folder;
    std::string installer;
    std::vector<std::string> environment;
    struct Entry {
        size_t offset, stored, unpacked;
    };
    std::vector<Entry> payload;  // the movie and the project text, as they lie in the file

    Fixture()
    {
        folder = std::filesystem::temp_directory_path() / "merrowin-startup-bench";
        std::filesystem::create_directories(folder / "home" / "Documents");
        std::filesystem::create_directories(folder / "tmp");
        installer = (folder / "setup").string();

        std::ifstream stubFile(MERROWIN_SETUP_STUB, std::ios::binary);
        const std::string stub((std::istreambuf_iterator<char>(stubFile)), std::istreambuf_iterator<char>());
        TProject project;
        project.Title = "春日方块";
        project.License.Add("第一条");
        project.LicenseCount = 1;
        project.SaveToStream();
        TMemoryStream file;
        TContainerWriter writer(file);
        writer.AddRaw(stub);
        writer.AddPacked(MakeBenchMovie(kMovieSize));
        writer.AddPacked(project.ProjectStream.View());
        writer.Finish();
        file.SaveToFile(installer);
        TDecompileStream container;
        container.Decompile(file);
        const size_t movieAt = static_cast<size_t>(container.StoredSize(0));
        const size_t projectAt = movieAt + static_cast<size_t>(container.StoredSize(1));
        payload = {{movieAt, size_t(container.StoredSize(1)), size_t(container.UnpackedSize(1))},
                   {projectAt, size_t(container.StoredSize(2)), size_t(container.UnpackedSize(2))}};
        std::filesystem::permissions(installer, std::filesystem::perms::owner_all);

        // An empty script: the headless host closes the window once its first frame is shown.
        std::ofstream(folder / "script");
        environment = {"HOME=" + (folder / "home").string(), "TMPDIR=" + (folder / "tmp").string(),
                       "MERROWIN_BACKEND=headless", "MERROWIN_SCRIPT=" + (folder / "script").string(),
                       "PATH=/usr/bin:/bin"};
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

struct Usage {
    double processorSeconds = 0;
    double wallSeconds = 0;
};

double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

// Runs the program to its end; nothing when it could not start or did not exit with 0.
std::optional<Usage> RunProgram(const std::string& program)
{
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), nullptr};
    std::vector<char*> envp;
    for (std::string& variable : Data().environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return Usage{Seconds(usage.ru_utime) + Seconds(usage.ru_stime), wall.count()};
}

void TimeProgram(benchmark::State& state, const std::string& program)
{
    double wall = 0;
    for (auto _ : state) {
        const std::optional<Usage> usage = RunProgram(program);
        if (!usage) {
            state.SkipWithError((program + " did not start and close cleanly").c_str());
            break;
        }
        state.SetIterationTime(usage->processorSeconds);
        wall += usage->wallSeconds;
    }
    state.counters["wall_ms"] = benchmark::Counter(wall * 1e3 / double(std::max<int64_t>(state.iterations(), 1)));
}

void BM_StartToFirstFrame(benchmark::State& state) { TimeProgram(state, Data().installer); }

// Reading the installer file into memory and inflating the movie and the project text into
// buffers of their own, with nothing of ours in between. A starting installer gets every buffer
// as fresh pages from the system, so the baseline does too: left alone, the allocator would
// keep the pages of the last iteration and spare it the page faults that no start can skip.
void BM_BaselineReadAndInflatePayload(benchmark::State& state)
{
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    for (auto _ : state) {
        std::ifstream in(Data().installer, std::ios::binary | std::ios::ate);
        const std::streamsize size = in.tellg();
        std::unique_ptr<char[]> file(new char[size_t(std::max<std::streamsize>(size, 0))]);
        if (!in.seekg(0) || !in.read(file.get(), size)) {
            state.SkipWithError("cannot read the installer");
            break;
        }
        for (const Fixture::Entry& entry : Data().payload) {
            std::unique_ptr<Bytef[]> out(new Bytef[entry.unpacked]);
            uLongf outSize = entry.unpacked;
            if (uncompress(out.get(), &outSize, reinterpret_cast<const Bytef*>(file.get() + entry.offset),
                           uLong(entry.stored)) != Z_OK)
                state.SkipWithError("inflate failed");
            benchmark::DoNotOptimize(out.get());
        }
    }
}

void BM_BaselineStartEmptyProgram(benchmark::State& state) { TimeProgram(state, "/bin/true"); }

} // namespace

BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_BaselineReadAndInflatePayload)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BaselineStartEmptyProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(1.0);

BENCHMARK_MAIN();
