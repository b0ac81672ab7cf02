#include "ToolkitTestSupport.h"

#include "toolkit/application/Timer.h"
#include "toolkit/forms/Form.h"

#include <string>
#include <vector>

namespace {

class Timers : public ToolkitTest {
protected:
    TTimer* Make(const std::string& name, uint32_t interval)
    {
        auto* timer = new TTimer(app_.get());
        timer->SetName(name);
        timer->SetInterval(interval);
        timer->SetOnTimer([this, timer](TObject*) { log.push_back(timer->Name() + "@" + std::to_string(app_->Now())); });
        return timer;
    }
    // Runs the loop until `time`, through a timer of its own (started last, so it ticks after the
    // others due at the same moment): the loop wakes only for events and timers.
    void RunUntil(uint64_t time)
    {
        bool done = false;
        auto* sentinel = new TTimer(app_.get());
        sentinel->SetInterval(static_cast<uint32_t>(time - app_->Now()));
        sentinel->SetOnTimer([&](TObject*) { done = true; });
        while (!done)
            app_->HandleMessage();
        delete sentinel;
    }
    std::vector<std::string> log;
};

}  // namespace

TEST_F(Timers, TicksComeInDueOrderOnTheVirtualClock)
{
    MakeApplication("wait 600\n");
    Make("fast", 100);
    Make("slow", 250);
    RunUntil(600);
    EXPECT_EQ(log, (std::vector<std::string>{"fast@100", "fast@200", "slow@250", "fast@300", "fast@400", "fast@500",
                                             "slow@500", "fast@600"}));
}

TEST_F(Timers, ZeroIntervalDisabledOrWithoutHandlerNeverTicks)
{
    MakeApplication("wait 1000\n");
    Make("zero", 0);
    TTimer* off = Make("off", 10);
    off->SetEnabled(false);
    auto* bare = new TTimer(app_.get());
    bare->SetInterval(10);
    EXPECT_FALSE(bare->Running());
    RunUntil(1000);
    EXPECT_TRUE(log.empty());
}

TEST_F(Timers, EnablingStartsAFreshIntervalAndAHandlerMayStopItsTimer)
{
    MakeApplication("wait 100\nwait 200\n");
    TTimer* once = Make("once", 10);
    once->SetEnabled(false);
    TTimer* starter = Make("starter", 50);
    starter->SetOnTimer([&](TObject*) {
        log.push_back("start@" + std::to_string(app_->Now()));
        starter->SetEnabled(false);
        once->SetEnabled(true);
    });
    once->SetOnTimer([&](TObject*) {
        log.push_back("once@" + std::to_string(app_->Now()));
        once->SetEnabled(false);
    });
    RunUntil(300);
    EXPECT_EQ(log, (std::vector<std::string>{"start@50", "once@60"}));
}

TEST_F(Timers, SleepMovesTheClockAtOnceAndDueTimersWaitForTheLoop)
{
    Make("t", 100);
    uint64_t start = app_->Now();
    app_->Sleep(1550);
    EXPECT_EQ(app_->Now(), start + 1550);
    EXPECT_TRUE(log.empty());
    app_->ProcessMessages();  // overdue: ticks once, not fifteen times
    EXPECT_EQ(log, (std::vector<std::string>{"t@1550"}));
}

TEST_F(Timers, ALoadedTimerStartsOnlyWhenLoadingEnds)
{
    auto* timer = new TTimer(app_.get());
    timer->BeginLoading();
    timer->SetInterval(10);
    timer->SetOnTimer([](TObject*) {});
    EXPECT_FALSE(timer->Running());
    timer->Loaded();
    EXPECT_TRUE(timer->Running());
    EXPECT_EQ(timer->Due(), app_->Now() + 10);
}
