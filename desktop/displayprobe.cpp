#include "displayprobe.h"

#include "x11/reachable.h"

namespace vorlan {

QString DisplayProbe::missingDisplayMessage() {
    // Other platforms report their own failures; with none named, Qt may
    // pick Wayland where a Wayland session is named.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() ? !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") : platform != "xcb") {
        return {};
    }
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("vorlan: no graphical display could be opened (DISPLAY is not set); "
                              "start it from a desktop session, or set DISPLAY to a running X "
                              "server");
    }
    if (!x11::isDisplayReachable(display)) {
        return QStringLiteral("vorlan: no graphical display could be opened (no X server answers "
                              "at DISPLAY=%1); start it from a desktop session, or set DISPLAY "
                              "to a running X server")
            .arg(QString::fromLocal8Bit(display));
    }
    return {};
}

} // namespace vorlan
