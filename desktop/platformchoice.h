#pragma once

#include <QByteArray>

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

// Reads the environment, probes the X display and sets QT_QPA_PLATFORM
// accordingly. Call before the QApplication is made.
void preferXcbWhereReachable();

} // namespace vorlan
