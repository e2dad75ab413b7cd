#include "kdelayouts.h"

#include "wayland/dbuscall.h"

#include <QDBusArgument>
#include <QDBusMetaType>

#include <optional>

namespace vorlan::kde {

namespace {

const QString Service = QStringLiteral("org.kde.keyboard");
const QString Path = QStringLiteral("/Layouts");
const QString Interface = QStringLiteral("org.kde.KeyboardLayouts");

// XKB has four groups; a longer list is no keyboard configuration.
constexpr int MaxLayouts = 64;

// The layout names of a getLayoutsList reply (a(sss): name, label, long
// name), in the service's order; nothing when the reply is not of that shape.
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

} // namespace

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
                  if (!readNames(reply)) {
                      done({});
                      return;
                  }
                  callAsync(bus_, call(QStringLiteral("getLayout")), this,
                            [names = names_, done](const QDBusMessage &current) {
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
                  const bool read = readNames(reply);
                  const auto index = read ? names_.indexOf(layout) : -1;
                  if (read && index < 0) {
                      // Not among the user's layouts: theirs to add, not ours.
                      lacking_.insert(layout);
                  }
                  if (index < 0) {
                      done(Outcome::Refused);
                      return;
                  }
                  lacking_.remove(layout);
                  callAsync(bus_, call(QStringLiteral("setLayout"), {uint(index)}), this,
                            [done](const QDBusMessage &set) {
                                if (!replyHas(set, "b")) {
                                    done(Outcome::Unknown);
                                } else {
                                    done(set.arguments().constFirst().toBool() ? Outcome::Made
                                                                               : Outcome::Refused);
                                }
                            });
              });
}

void KdeLayouts::activateNow(const QString &layout) {
    // By the list as last read: a desktop still busy with our last request
    // would answer a new read after the exit's deadline.
    const auto index = names_.indexOf(layout);
    if (index >= 0) {
        bus_.call(call(QStringLiteral("setLayout"), {uint(index)}), QDBus::Block, ExitTimeoutMs);
    }
}

bool KdeLayouts::readNames(const QDBusMessage &reply) {
    std::optional<QStringList> names = layoutNames(reply);
    silent_ = !names;
    if (names) {
        names_ = std::move(*names);
    }
    return !silent_;
}

} // namespace vorlan::kde
