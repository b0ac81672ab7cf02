// How long a user waits for the wizard: from starting an installer with a 10 MB movie to its
// first frame, next to what the installer cannot skip (reading its file and inflating the
// payload) and next to starting a program that does nothing. Read the ratios, not the times.
#include "BenchMovie.h"
#include "installer/payload/ContainerWriter.h"
#include "installer/payload/DecompileStream.h"
#include "installer/project/Project.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <spawn.h>
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

bool RunProgram(const std::string& program)
{
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), nullptr};
    std::vector<char*> envp;
    for (std::string& variable : Data().environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_StartToFirstFrame(benchmark::State& state)
{
    for (auto _ : state)
        if (!RunProgram(Data().installer))
            state.SkipWithError("the installer did not start and close cleanly");
}

void BM_BaselineReadAndInflatePayload(benchmark::State& state)
{
    for (auto _ : state) {
        TFileStream file(Data().installer, TFileStream::fmOpenRead);
        TDecompileStream container;
        container.Decompile(file);
        std::unique_ptr<TMemoryStream> movie = container.GetStream(1, true);
        std::unique_ptr<TMemoryStream> project = container.GetStream(2, true);
        benchmark::DoNotOptimize(movie->Memory());
        benchmark::DoNotOptimize(project->Memory());
    }
}

void BM_BaselineStartEmptyProgram(benchmark::State& state)
{
    for (auto _ : state)
        if (!RunProgram("/bin/true"))
            state.SkipWithError("/bin/true did not run");
}

} // namespace

BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BaselineReadAndInflatePayload)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BaselineStartEmptyProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

BENCHMARK_MAIN();
