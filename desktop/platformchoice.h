#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace vorlan {

// What decides the Qt platform, as the environment gives it.
struct SessionEnvironment {
    QByteArray qpaPlatform; // QT_QPA_PLATFORM
    QByteArray display;     // DISPLAY
};

// The platform to ask Qt for, or empty to leave Qt its own choice. Where an
// X display answers the program runs on xcb, also inside a Wayland session
// (XWayland), since the pin and the keyboard layout work only there; a
// platform the user names wins. isXReachable is asked only when it matters.
QByteArray choosePlatform(const SessionEnvironment &environment,
                          const std::function<bool()> &isXReachable);

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

// Reads the environment, probes the X display and sets QT_QPA_PLATFORM
// accordingly. Call before the QApplication is made.
void preferXcbWhereReachable();

} // namespace vorlan
