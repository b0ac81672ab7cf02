// Exercises the Windows system services for real and prints what they answered, one UTF-8 line
// per result: "name=value", or "name!message" when the call raised. run_probe.sh runs it under
// Wine in a fresh prefix and checks the lines and the files it left.
#include "installer/system/SystemInfo.h"
#include "platform/CommandLine.h"
#include "platform/SystemServices.h"
#include "platform/win32/Win32Wallpaper.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/registry/Registry.h"
#include "toolkit/streams/FileStream.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>

namespace {

const char* const kTestKey = "\\Software\\Merrowin\\Test";
const char* const kGreeting = "你好, wine";
const int kInternetCache = 0x20;
const int kPersonal = 0x05;

void Print(const std::string& name, const std::function<std::string()>& answer)
{
    try {
        std::string value = answer();
        std::printf("%s=%s\n", name.c_str(), value.c_str());
    } catch (const std::exception& error) {
        std::printf("%s!%s\n", name.c_str(), error.what());
    }
}

std::string Hex(int32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(code));
    return text;
}

void ProbeFolders(SystemServices& system, TSystemInfo& info)
{
    for (int kind = 0; kind <= 27; ++kind)
        Print("kind." + std::to_string(kind), [&] { return info.GetSystemPath(static_cast<uint8_t>(kind)); });
    Print("windows", [&] { return info.GetWindowsPath(); });
    Print("temp", [&] { return info.GetTempDirectory(); });
    Print("cache", [&] { return info.GetCacheDirectory(kInternetCache); });
    Print("personal", [&] { return info.GetCacheDirectory(kPersonal); });
    Print("exe", [&] { return system.ExecutablePath(); });
    Print("guid", [&] { return system.NewGuid(); });
}

void ProbeRegistry(SystemServices& system)
{
    {
        TRegistry registry(system);
        Print("registry.create", [&] { return registry.OpenKey(kTestKey, true) ? "ok" : "failed"; });
        Print("registry.write", [&] { return registry.WriteString("Greeting", kGreeting) ? "ok" : "failed"; });
    }
    TRegistry registry(system);
    Print("registry.open", [&] { return registry.OpenKey(kTestKey, false) ? "ok" : "failed"; });
    Print("registry.greeting", [&] { return registry.ReadString("Greeting"); });
    Print("registry.missing", [&] { return registry.ValueExists("Missing") ? "exists" : "absent"; });
    std::unique_ptr<RegistryKey> key = system.OpenKey(TRegistryRoot::CurrentUser, "Software\\Merrowin\\Test", false);
    Print("registry.integer", [&] { return key && key->WriteInteger("Count", 42) ? "ok" : "failed"; });
    Print("registry.count", [&] { return registry.ReadString("Count"); });
}

void ProbeFiles(SystemServices& system, TSystemInfo& info)
{
    std::string common = info.GetSystemPath(4) + "我的 Flash 墙纸";
    Print("folder.make", [&] { return system.MakeFolder(common) ? "ok" : "failed"; });
    Print("folder.exists", [&] { return system.FolderExists(common) ? "yes" : "no"; });
    Print("file.write", [&] {
        TFileStream file(common + "\\probe.txt", TFileStream::fmCreate);
        const std::string text = "merrowin probe\r\n";
        file.Write(text.data(), static_cast<int64_t>(text.size()));
        return std::string("ok");
    });
    TStringList found;
    info.FindAll(common, found);
    for (int i = 0; i < found.Count(); ++i)
        Print("findall", [&] { return found[i]; });
    Print("screensaver", [&] {
        info.SetDefaultScreensaver(system.ExecutablePath());
        return std::string("ok");
    });
}

void ProbeWallpaper(SystemServices& system)
{
    std::unique_ptr<WallpaperService> wallpaper;
    Print("wallpaper.start", [&] {
        wallpaper = system.StartWallpaperService();
        return std::string("ok");
    });
    Print("error.known", [] { return SystemErrorText(static_cast<int32_t>(0x80004001)); });
    Print("error.unknown", [] { return SystemErrorText(static_cast<int32_t>(0x8FFF1234)); });
    // Only inside a throw-away Wine prefix: on a real desktop this would change the wallpaper.
    const char* allowed = std::getenv("MERROWIN_PROBE_WALLPAPER");
    if (!wallpaper || !allowed || std::string(allowed) != "1")
        return;
    Print("wallpaper.set", [&] { return Hex(wallpaper->SetWallpaper("C:\\merrowin-probe.htm")); });
    Print("wallpaper.apply", [&] { return Hex(wallpaper->ApplyChanges(15)); });
}

} // namespace

int main()
{
    SetBinaryStandardOutput();
    std::unique_ptr<SystemServices> system = CreateSystemServices();
    TSystemInfo info(*system);
    ProbeFolders(*system, info);
    ProbeRegistry(*system);
    ProbeFiles(*system, info);
    ProbeWallpaper(*system);
    std::printf("done\n");
    return 0;
}
