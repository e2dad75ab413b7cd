#include "platformchoice.h"

#include "x11/reachable.h"

#include <QList>
#include <QtGlobal>

namespace vorlan {

QByteArray choosePlatform(const SessionEnvironment &environment,
                          const std::function<bool()> &isXReachable) {
    // Qt takes an empty QT_QPA_PLATFORM for an unset one.
    if (!environment.qpaPlatform.isEmpty() || environment.display.isEmpty()) {
        return {};
    }
    // An X display that does not answer is left to Qt: on Wayland it then
    // runs natively, elsewhere it reports that no display could be opened.
    return isXReachable() ? QByteArrayLiteral("xcb") : QByteArray();
}

KeyboardKind chooseKeyboard(const QString &platformName, bool hasXConnection,
                            const QByteArray &waylandDisplay, const QByteArray &currentDesktop) {
    if (waylandDisplay.isEmpty()) {
        // A real X session; anything else (offscreen) has no keyboard of ours.
        return platformName == u"xcb" && hasXConnection ? KeyboardKind::Xkb : KeyboardKind::None;
    }
    // A colon-separated list, e.g. "ubuntu:GNOME".
    for (const QByteArray &desktop : currentDesktop.split(':')) {
        if (desktop == "KDE") {
            return KeyboardKind::Kde;
        }
        if (desktop == "GNOME") {
            return KeyboardKind::Gnome;
        }
    }
    return KeyboardKind::None;
}

void preferXcbWhereReachable() {
    const SessionEnvironment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY")};
    const QByteArray platform =
        choosePlatform(environment, [&] { return x11::isDisplayReachable(environment.display); });
    if (!platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
}

} // namespace vorlan
