#include "player/app/ScreenLock.h"

namespace {

const char* const kServices[2][2] = {
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"},
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"},
};

} // namespace

ScreenLock::ScreenLock(std::function<void()> changed) : changed_(std::move(changed))
{
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus_)
        return;
    cancellable_ = g_cancellable_new();
    for (int i = 0; i < 2; ++i) {
        subscriptions_[i] = g_dbus_connection_signal_subscribe(bus_, nullptr, kServices[i][0], "ActiveChanged",
                                                               nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                                               &ScreenLock::OnSignal, this, nullptr);
        g_dbus_connection_call(bus_, kServices[i][0], kServices[i][1], kServices[i][0], "GetActive", nullptr,
                               G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, 2000, cancellable_,
                               &ScreenLock::OnAnswer, this);
    }
}

ScreenLock::~ScreenLock()
{
    if (!bus_)
        return;
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    for (guint id : subscriptions_)
        g_dbus_connection_signal_unsubscribe(bus_, id);
    g_object_unref(bus_);
}

void ScreenLock::OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                          GVariant* parameters, gpointer self)
{
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(b)")))
        return;
    gboolean active = FALSE;
    g_variant_get(parameters, "(b)", &active);
    auto* lock = static_cast<ScreenLock*>(self);
    lock->active_ = active;
    lock->changed_();
}

void ScreenLock::OnAnswer(GObject* source, GAsyncResult* result, gpointer self)
{
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (!reply)
        return; // no such service, or cancelled: then `self` may be gone, and is not touched
    gboolean active = FALSE;
    g_variant_get(reply, "(b)", &active);
    g_variant_unref(reply);
    if (active) {
        auto* lock = static_cast<ScreenLock*>(self);
        lock->active_ = true;
        lock->changed_();
    }
}
