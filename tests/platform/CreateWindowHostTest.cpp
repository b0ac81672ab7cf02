#include "platform/DesktopHost.h"
#include "platform/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

TEST(CreateWindowHost, WithoutADisplayTheDefaultIsHeadless)
{
    ScopedVariable backend("MERROWIN_BACKEND", nullptr);
    ScopedVariable display("DISPLAY", nullptr);
    ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
    testing::internal::CaptureStderr();
    EXPECT_NE(dynamic_cast<HeadlessHost*>(CreateWindowHost().get()), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    // Nothing will appear, so a build with a desktop host says why.
    if (DesktopHostName()[0] != '\0') {
        EXPECT_EQ(said.rfind("cannot show a window (", 0), 0u) << said;
        EXPECT_EQ(said.find("()"), std::string::npos) << "no reason given: " << said;
    } else {
        EXPECT_EQ(said, "");
    }
}
