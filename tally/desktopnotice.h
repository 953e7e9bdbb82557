// The outcome of a job whose window was closed while it ran, told as a
// desktop notification (org.freedesktop.Notifications on the session bus).
#pragma once

#include <QString>

namespace tally {

// How long each call to the notification service may take (ms): a bus or a
// service that does not answer must not hold up the end of tally.
constexpr int kNoticeCallTimeoutMs = 1000;
// The names the notification goes under.
constexpr const char* kNoticeAppName = "tally";
constexpr const char* kNoticeIconName = "arkive";

// The session bus's address: DBUS_SESSION_BUS_ADDRESS, else the bus socket
// in XDG_RUNTIME_DIR when there is one; empty for none (no bus is started).
QString sessionBusAddress();

// Posts the notification; false when no bus or no service took it. Blocks
// for at most two calls' timeout.
bool postDesktopNotice(const QString& summary, const QString& body);

} // namespace tally
