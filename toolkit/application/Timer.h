#pragma once

#include "toolkit/components/Component.h"

#include <cstdint>

// A component that calls OnTimer every Interval milliseconds while Enabled, through the
// application's message loop (never in the middle of other work, never twice at once). A timer
// with Interval 0 or without OnTimer does not run. The first tick comes one interval after the
// timer starts (enabled, interval set or handler assigned); each tick schedules the next one
// interval after it.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t value);
    void SetOnTimer(TNotifyEvent handler);
    const TNotifyEvent& OnTimer() const { return onTimer_; }

    // Whether the timer is waiting for its next tick, and when that is due.
    bool Running() const { return running_; }
    uint64_t Due() const { return due_; }
    // Called by the application when the tick is due.
    void Tick();

    void Loaded() override;

private:
    void Update();

    bool enabled_ = true;
    uint32_t interval_ = 1000;
    TNotifyEvent onTimer_;
    bool running_ = false;
    bool ticking_ = false;
    uint64_t due_ = 0;
};
