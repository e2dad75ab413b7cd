#include "kdelayouts.h"

#include "wayland/dbuscall.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDeadlineTimer>

#include <algorithm>

namespace vorlan::kde {

namespace {

const QString Service = QStringLiteral("org.kde.keyboard");
const QString Path = QStringLiteral("/Layouts");
const QString Interface = QStringLiteral("org.kde.KeyboardLayouts");

// XKB has four groups; a longer list is no keyboard configuration.
constexpr int MaxLayouts = 64;

} // namespace

std::optional<QStringList> layoutNames(const QDBusMessage &reply) {
    if (!replyHas(reply, "a(sss)")) {
        return std::nullopt;
    }
    const auto argument = reply.arguments().constFirst().value<QDBusArgument>();
    QStringList names;
    argument.beginArray();
    // One past the limit tells a list too long. The array is always ended:
    // left open, the reading keeps the whole reply alive for good.
    while (!argument.atEnd() && names.size() <= MaxLayouts) {
        QString name;
        QString label;
        QString longName;
        argument.beginStructure();
        argument >> name >> label >> longName;
        argument.endStructure();
        names.append(name);
    }
    argument.endArray();
    if (names.size() > MaxLayouts) {
        return std::nullopt;
    }
    return names;
}

KdeLayouts::KdeLayouts(QDBusConnection bus) : bus_(std::move(bus)) {}

QDBusMessage KdeLayouts::call(const QString &method, const QVariantList &arguments) const {
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    message.setArguments(arguments);
    // The service belongs to the running session; never start one.
    message.setAutoStartService(false);
    return message;
}

void KdeLayouts::current(Current done) {
    callAsync(bus_, call(QStringLiteral("getLayoutsList")), this,
              [this, done](const QDBusMessage &reply) {
                  std::optional<QStringList> names = layoutNames(reply);
                  silent_ = !names;
                  if (!names) {
                      done({});
                      return;
                  }
                  callAsync(bus_, call(QStringLiteral("getLayout")), this,
                            [names = std::move(*names), done](const QDBusMessage &current) {
                                // Anything but an index into the list: unknown.
                                const uint at = replyHas(current, "u")
                                                    ? current.arguments().constFirst().toUInt()
                                                    : uint(names.size());
                                done(at < uint(names.size()) ? names.at(int(at)) : QString());
                            });
              });
}

void KdeLayouts::activate(const QString &layout, Done done) {
    callAsync(bus_, call(QStringLiteral("getLayoutsList")), this,
              [this, layout, done](const QDBusMessage &reply) {
                  const std::optional<QStringList> names = layoutNames(reply);
                  silent_ = !names;
                  const auto index = names ? names->indexOf(layout) : -1;
                  if (names && index < 0) {
                      // Not among the user's layouts: theirs to add, not ours.
                      lacking_.insert(layout);
                  }
                  if (index < 0) {
                      done(false);
                      return;
                  }
                  lacking_.remove(layout);
                  callAsync(bus_, call(QStringLiteral("setLayout"), {uint(index)}), this,
                            [done](const QDBusMessage &set) {
                                done(replyHas(set, "b") && set.arguments().constFirst().toBool());
                            });
              });
}

void KdeLayouts::activateNow(const QString &layout) {
    const QDeadlineTimer deadline(ExitTimeoutMs);
    const QDBusMessage reply = bus_.call(call(QStringLiteral("getLayoutsList")), QDBus::Block,
                                         int(deadline.remainingTime()));
    const std::optional<QStringList> names = layoutNames(reply);
    const auto index = names ? names->indexOf(layout) : -1;
    if (index >= 0 && !deadline.hasExpired()) {
        bus_.call(call(QStringLiteral("setLayout"), {uint(index)}), QDBus::Block,
                  int(std::max<qint64>(1, deadline.remainingTime())));
    }
}

} // namespace vorlan::kde
