#include "toolkit/application/Timer.h"

#include "toolkit/application/Application.h"
#include "toolkit/components/ClassInfo.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    if (running_ && Application)
        Application->RemoveTimer(this);
}

const TClassInfo& TTimer::StaticClassInfo()
{
    static const TClassInfo info(
        "TTimer", &TComponent::StaticClassInfo(), [](TComponent* owner) { return new TTimer(owner); },
        [](TClassInfo& c) {
            TPublisher<TTimer>(c)
                .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                .Integer("Interval", [](const TTimer& t) { return static_cast<int>(t.Interval()); },
                         [](TTimer& t, int v) { t.SetInterval(v < 0 ? 0u : static_cast<uint32_t>(v)); })
                .Event<TNotifyEvent>("OnTimer", [](TTimer& t, const TNotifyEvent& e) { t.SetOnTimer(e); });
        });
    return info;
}

void TTimer::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Update();
}

void TTimer::SetInterval(uint32_t value)
{
    if (value == interval_)
        return;
    interval_ = value;
    if (running_ && Application)
        Application->RemoveTimer(this);
    running_ = false;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    onTimer_ = std::move(handler);
    Update();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    Update();
}

void TTimer::Update()
{
    bool run = enabled_ && interval_ > 0 && onTimer_ && !IsLoading() && !IsDestroying() && Application;
    if (run && !running_) {
        running_ = true;
        due_ = Application->Now() + interval_;
        Application->AddTimer(this);
    } else if (!run && running_) {
        running_ = false;
        if (Application)
            Application->RemoveTimer(this);
    }
}

void TTimer::Tick()
{
    if (ticking_ || !running_)
        return;
    ticking_ = true;
    due_ = Application->Now() + interval_;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{ticking_};
    TNotifyEvent handler = onTimer_;  // the handler may replace itself
    handler(this);
}
