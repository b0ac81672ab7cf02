// merrowin-setup: the installer program. An author appends a wallpaper to a copy of it; run, it
// reads that payload from its own file and shows the wizard that installs it. A non-empty first
// argument installs at once.
#include "installer/payload/PayloadEntry.h"
#include "installer/wizard/MerrowinForm.h"
#include "platform/CommandLine.h"
#include "platform/ExecutablePath.h"
#include "platform/FatalError.h"
#include "platform/FontEngine.h"
#include "platform/SystemServices.h"
#include "platform/WallpaperPlayerSource.h"
#include "platform/WindowHost.h"
#include "skin/themes/FileTheme.h"
#include "toolkit/application/Application.h"
#include "toolkit/graphics/FontEngineSlot.h"

#include <exception>

int main(int argc, char** argv)
{
    try {
        std::unique_ptr<WindowHost> host = CreateWindowHost();
        if (!host) {
            ReportFatalError("merrowin-setup", "no window host can be opened here");
            return 2;
        }
        // The system services come first: on Windows they initialise COM for this thread, which
        // setting the wallpaper needs.
        std::unique_ptr<SystemServices> services = CreateSystemServices();
        SetFontEngine(CreatePlatformFontEngine());
        SetFileThemeServices(services.get());
        const std::string self = ExecutablePath();
        SetWallpaperPlayerSource([self] { return ReadPayloadEntry(self, kPlayerBundleEntry); });
        RegisterWizardClasses();

        TApplication application(std::move(host));
        application.SetTitle("Didar Ediziveda 安装程序");
        LoadWizardIcon(application.Icon());
        std::vector<std::string> arguments = Utf8Arguments(argc, argv);
        if (!arguments.empty())
            arguments.erase(arguments.begin());
        application.CreateForm<TMerrowinForm>(TWizardContext{services.get(), self, arguments});
        application.Run();
        return 0;
    } catch (const std::exception& error) {
        ReportFatalError("merrowin-setup", error.what());
        return 1;
    }
}
