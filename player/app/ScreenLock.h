#pragma once

#include <functional>
#include <gio/gio.h>

// Whether the session's screen locker or screen saver is showing, as the desktop announces it on
// the session bus (the freedesktop name, and the GNOME one that some desktops use instead).
// Without a session bus it never reports anything.
class ScreenLock {
public:
    explicit ScreenLock(std::function<void()> changed);
    ~ScreenLock();
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

    bool Active() const { return active_; }

private:
    static void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
                         gpointer self);
    static void OnAnswer(GObject* source, GAsyncResult* result, gpointer self);

    std::function<void()> changed_;
    GDBusConnection* bus_ = nullptr;
    GCancellable* cancellable_ = nullptr;
    guint subscriptions_[2] = {0, 0};
    bool active_ = false;
};
