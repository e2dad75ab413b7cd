#include "platformchoice.h"

#include <QStringList>

namespace vorlan {

namespace {

// The platform's name without its options ("wayland:nogl"); a list of
// platforms to try in turn is Qt's business.
QByteArray namedPlatform(const SessionEnvironment &environment) {
    return environment.qpaPlatform.split(':').constFirst();
}

QString xReason(const QByteArray &display, Opened x) {
    const QString name = QString::fromLocal8Bit(display);
    switch (x) {
    case Opened::BadName:
        return QStringLiteral("DISPLAY=%1 does not name a screen of an X server").arg(name);
    case Opened::Refused:
        return QStringLiteral("no X server accepts connections at DISPLAY=%1").arg(name);
    case Opened::Silent:
        return QStringLiteral("the X server at DISPLAY=%1 does not answer within %2 s")
            .arg(name)
            .arg(std::chrono::duration<double>(DisplayDeadline).count());
    default:
        return QStringLiteral("DISPLAY is not set");
    }
}

QString waylandReason(const QByteArray &display, Opened wayland) {
    const QString name = QString::fromLocal8Bit(display.isEmpty() ? "wayland-0" : display);
    if (wayland == Opened::Silent) {
        return QStringLiteral("the compositor at WAYLAND_DISPLAY=%1 does not answer within %2 s")
            .arg(name)
            .arg(std::chrono::duration<double>(DisplayDeadline).count());
    }
    return QStringLiteral("no compositor accepts connections at WAYLAND_DISPLAY=%1").arg(name);
}

} // namespace

DisplaysToOpen displaysToOpen(const SessionEnvironment &environment) {
    const QByteArray platform = namedPlatform(environment);
    if (environment.qpaPlatform.isEmpty()) {
        return {!environment.display.isEmpty(), !environment.waylandDisplay.isEmpty()};
    }
    return {platform == "xcb" && !environment.display.isEmpty(), platform.startsWith("wayland")};
}

PlatformChoice choosePlatform(const SessionEnvironment &environment, Opened x, Opened wayland) {
    const QByteArray platform = namedPlatform(environment);
    const bool named = !environment.qpaPlatform.isEmpty();
    if (named && platform != "xcb" && !platform.startsWith("wayland")) {
        return {}; // reports its own failures
    }
    const DisplaysToOpen open = displaysToOpen(environment);
    if (open.x && x == Opened::Answers) {
        return {named ? QByteArray() : QByteArrayLiteral("xcb"), {}};
    }
    if (open.wayland && wayland == Opened::Answers) {
        return {named ? QByteArray() : QByteArrayLiteral("wayland"), {}};
    }
    QStringList reasons;
    if (!named || platform == "xcb") {
        reasons.append(xReason(environment.display, open.x ? x : Opened::NotTried));
    }
    if (open.wayland) {
        reasons.append(waylandReason(environment.waylandDisplay, wayland));
    }
    return {{},
            QStringLiteral("vorlan: no graphical display could be opened (%1); start it from a "
                           "desktop session, or set DISPLAY to a running X server")
                .arg(reasons.join(QStringLiteral("; ")))};
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

} // namespace vorlan
