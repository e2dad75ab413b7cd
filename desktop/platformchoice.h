#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace vorlan {

// What decides the Qt platform, as the environment gives it.
struct SessionEnvironment {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
};

// How long a display may take to answer at start-up, retries included.
inline constexpr std::chrono::milliseconds DisplayDeadline{2000};

// What opening a display came to.
enum class Opened {
    NotTried,
    Answers,
    BadName, // not a display's name, or a screen the server does not have
    Refused, // no server took the connection, nor any retry
    Silent,  // taken, but no answer within DisplayDeadline
};

// The displays worth opening: X where DISPLAY names one and no other platform
// is asked for; Wayland where its platform is asked for, or where
// WAYLAND_DISPLAY names one and no platform is.
struct DisplaysToOpen {
    bool x = false;
    bool wayland = false;
};
DisplaysToOpen displaysToOpen(const SessionEnvironment &environment);

struct PlatformChoice {
    QByteArray platform; // for QT_QPA_PLATFORM; empty leaves it as it is
    QString missing;     // else: one line saying why no display can be used
};

// Where an X display answers the program runs on xcb, also inside a Wayland
// session (XWayland), since the pin and the keyboard layout work only there;
// else natively where a Wayland display answers. A platform the user names
// wins, and its display must answer. Qt would abort, or wait for ever on a
// display that does not answer: none that answered means missing is set.
PlatformChoice choosePlatform(const SessionEnvironment &environment, Opened x, Opened wayland);

// How the keyboard layout is switched in this session.
enum class KeyboardKind {
    Xkb,   // an X server of its own: its XKB groups
    Kde,   // Plasma's org.kde.keyboard
    Gnome, // GNOME Shell, through our extension
    None,
};

// platformName: Qt's. hasXConnection: ours to the X server opened. On
// Wayland, XWayland or not, the compositor owns the layout, so only the
// desktop's own service can switch it: chosen by XDG_CURRENT_DESKTOP.
KeyboardKind chooseKeyboard(const QString &platformName, bool hasXConnection,
                            const QByteArray &waylandDisplay, const QByteArray &currentDesktop);

} // namespace vorlan
