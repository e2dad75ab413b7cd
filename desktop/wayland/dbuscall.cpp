#include "dbuscall.h"

#include <QDBusPendingCallWatcher>
#include <QObject>

namespace vorlan {

void callAsync(const QDBusConnection &bus, const QDBusMessage &call, QObject *owner,
               std::function<void(const QDBusMessage &reply)> done, int timeoutMs) {
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), owner);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, owner,
                     [watcher, done = std::move(done)] {
                         watcher->deleteLater();
                         done(watcher->reply());
                     });
}

bool replyHas(const QDBusMessage &reply, const char *signature) {
    return reply.type() == QDBusMessage::ReplyMessage &&
           reply.signature() == QLatin1String(signature);
}

} // namespace vorlan
