#include "gnomeinputsources.h"

#include "wayland/dbuscall.h"

#include <QRegularExpression>

namespace vorlan::gnome {

namespace {

constexpr int ExitTimeoutMs = 500;

QDBusMessage activateCall(const QString &layout) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        ExtensionService, ExtensionPath, ExtensionInterface, QStringLiteral("Activate"));
    message << layout;
    message.setAutoStartService(false);
    return message;
}

} // namespace

QString plausibleXkbId(const QString &id) {
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[A-Za-z0-9_-]{1,32}(\\+[A-Za-z0-9_-]{1,64})?")));
    return pattern.match(id).hasMatch() ? id : QString();
}

GnomeInputSources::GnomeInputSources(QDBusConnection bus) : bus_(std::move(bus)) {}

void GnomeInputSources::activate(const QString &layout, Done done) {
    callAsync(bus_, activateCall(layout), this, [this, layout, done](const QDBusMessage &reply) {
        silent_ = !replyHas(reply, "bs");
        if (silent_) {
            // No extension, or not enabled: nothing we could do.
            done(false, {});
            return;
        }
        const bool ok = reply.arguments().at(0).toBool();
        if (ok) {
            lacking_.remove(layout);
        } else {
            lacking_.insert(layout);
        }
        done(ok, plausibleXkbId(reply.arguments().at(1).toString()));
    });
}

void GnomeInputSources::activateNow(const QString &layout) {
    bus_.call(activateCall(layout), QDBus::Block, ExitTimeoutMs);
}

} // namespace vorlan::gnome
