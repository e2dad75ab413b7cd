#pragma once

#include <QDBusConnection>
#include <QDBusMessage>

#include <functional>

class QObject;

namespace vorlan {

// How long a desktop service may take to answer one call before it counts as
// failed. Generous for a loaded machine; the event loop runs meanwhile.
inline constexpr int DesktopCallTimeoutMs = 3000;

// Sends the call without waiting and runs done on this thread with the reply,
// which is an error message when the service failed, was missing or did not
// answer within timeoutMs. done never runs once owner is gone.
void callAsync(const QDBusConnection &bus, const QDBusMessage &call, QObject *owner,
               std::function<void(const QDBusMessage &reply)> done,
               int timeoutMs = DesktopCallTimeoutMs);

// Whether the reply is a method return whose arguments have this signature;
// replies come from other programs and are checked before use.
bool replyHas(const QDBusMessage &reply, const char *signature);

} // namespace vorlan
