#include "platform/DesktopHost.h"
#include "platform/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// Sets MERROWIN_BACKEND (and DISPLAY) for one test and puts the old values back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        const char* saved = std::getenv(name);
        had_ = saved != nullptr;
        saved_ = saved ? saved : "";
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (had_)
            ::setenv(name_, saved_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string saved_;
};

} // namespace

TEST(CreateWindowHost, ChoosesTheHeadlessHostAndRefusesUnknownNames)
{
    {
        ScopedVariable backend("MERROWIN_BACKEND", "headless");
        EXPECT_NE(dynamic_cast<HeadlessHost*>(CreateWindowHost().get()), nullptr);
    }
    {
        ScopedVariable backend("MERROWIN_BACKEND", "no-such-host");
        EXPECT_EQ(CreateWindowHost(), nullptr);
    }
}

// Without a display the default is the headless host, which only a script can drive: without
// one the program would close its window at once and end as if it had done its work.
TEST(CreateWindowHost, WithoutADisplayOnlyAScriptRunsOffScreenAndTheReasonIsSaid)
{
    ScopedVariable backend("MERROWIN_BACKEND", nullptr);
    ScopedVariable display("DISPLAY", nullptr);
    ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
    const std::string scriptFile = (std::filesystem::temp_directory_path() / "merrowin-host-script").string();
    std::ofstream(scriptFile) << "wait 10\n";
    for (const bool scripted : {false, true}) {
        ScopedVariable script("MERROWIN_SCRIPT", scripted ? scriptFile.c_str() : nullptr);
        testing::internal::CaptureStderr();
        const std::unique_ptr<WindowHost> host = CreateWindowHost();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(dynamic_cast<HeadlessHost*>(host.get()) != nullptr, scripted);
        EXPECT_EQ(host != nullptr, scripted);
        EXPECT_EQ(said.rfind("cannot show a window (", 0), 0u) << said;
        EXPECT_EQ(said.find("()"), std::string::npos) << "no reason given: " << said;
        EXPECT_EQ(said.find("off screen") != std::string::npos, scripted) << said;
    }
    std::filesystem::remove(scriptFile);
}
