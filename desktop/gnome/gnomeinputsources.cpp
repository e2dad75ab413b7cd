#include "gnomeinputsources.h"

#include "wayland/dbuscall.h"

#include <QRegularExpression>

namespace vorlan::gnome {

namespace {

QDBusMessage extensionCall(const QString &method, const QString &layout = {}) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(ExtensionService, ExtensionPath, ExtensionInterface, method);
    if (!layout.isEmpty()) {
        message << layout;
    }
    message.setAutoStartService(false);
    return message;
}

// The source of a Current reply where it is a plausible XKB id
// ("us", "de+nodeadkeys", "ir"); empty otherwise.
QString plausibleXkbId(const QString &id) {
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[A-Za-z0-9_-]{1,32}(\\+[A-Za-z0-9_-]{1,64})?")));
    return pattern.match(id).hasMatch() ? id : QString();
}

} // namespace

GnomeInputSources::GnomeInputSources(QDBusConnection bus) : bus_(std::move(bus)) {}

void GnomeInputSources::current(Current done) {
    callAsync(bus_, extensionCall(QStringLiteral("Current")), this,
              [this, done](const QDBusMessage &reply) {
                  // No extension, or an older one: nothing could be given back.
                  silent_ = !replyHas(reply, "s");
                  done(silent_ ? QString()
                               : plausibleXkbId(reply.arguments().constFirst().toString()));
              });
}

void GnomeInputSources::activate(const QString &layout, Done done) {
    callAsync(bus_, extensionCall(QStringLiteral("Activate"), layout), this,
              [this, layout, done](const QDBusMessage &reply) {
                  silent_ = !replyHas(reply, "bs");
                  if (silent_) {
                      done(Outcome::Unknown);
                      return;
                  }
                  const bool ok = reply.arguments().at(0).toBool();
                  if (ok) {
                      lacking_.remove(layout);
                  } else {
                      lacking_.insert(layout);
                  }
                  done(ok ? Outcome::Made : Outcome::Refused);
              });
}

void GnomeInputSources::activateNow(const QString &layout) {
    bus_.call(extensionCall(QStringLiteral("Activate"), layout), QDBus::Block, ExitTimeoutMs);
}

} // namespace vorlan::gnome
