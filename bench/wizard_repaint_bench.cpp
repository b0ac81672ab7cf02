// A full repaint of the installer's own window on its welcome page, with the built-in skin: the
// skinned frame and title bar, the side picture, labels and the skinned buttons, through the whole
// paint path. Next to it, in the same run, a memcpy of as many pixels as the window has: the least
// that presenting a frame costs. Read the ratio, not the times.
#include "installer/payload/ContainerWriter.h"
#include "installer/project/Project.h"
#include "installer/wizard/MerrowinForm.h"
#include "platform/FontEngine.h"
#include "platform/SystemServices.h"
#include "platform/headless/HeadlessHost.h"
#include "skin/themes/FileTheme.h"
#include "toolkit/application/Application.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/streams/FileStream.h"

#include "FormRepaint.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

struct Fixture {
    std::filesystem::path installer;
    std::unique_ptr<SystemServices> services;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;

    Fixture()
    {
        installer = std::filesystem::temp_directory_path() / "merrowin-wizard-repaint-bench";
        WriteInstaller();
        SetFontEngine(CreatePlatformFontEngine());
        services = CreateSystemServices();
        SetFileThemeServices(services.get());
        RegisterWizardClasses();
        app = std::make_unique<TApplication>(std::make_unique<HeadlessHost>());
        form = app->CreateForm<TMerrowinForm>(TWizardContext{services.get(), installer.string(), {}});
        form->Show();
        app->ProcessMessages();
    }
    ~Fixture()
    {
        app.reset();
        SetFileThemeServices(nullptr);
        std::filesystem::remove(installer);
    }

    void WriteInstaller() const
    {
        TProject project;
        project.Title = "春日方块";
        project.License.Add("第一条");
        project.LicenseCount = 1;
        project.SaveToStream();
        TFileStream file(installer.string(), TFileStream::fmCreate);
        TContainerWriter writer(file);
        writer.AddRaw("a program");
        writer.AddPacked(std::string("FWS\x06", 4) + std::string(300, 'Z'));
        writer.AddPacked(project.ProjectStream.View());
        writer.Finish();
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_RepaintWizard(benchmark::State& state)
{
    RepaintWhole(state, *Shared().form);
}
BENCHMARK(BM_RepaintWizard)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// The baseline: copying the window's pixels once.
void BM_MemcpyWizardPixels(benchmark::State& state)
{
    CopyPixelsOnce(state, *Shared().form);
}
BENCHMARK(BM_MemcpyWizardPixels)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
