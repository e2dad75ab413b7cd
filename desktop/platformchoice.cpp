#include "platformchoice.h"

#include "x11/reachable.h"

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

void preferXcbWhereReachable() {
    const SessionEnvironment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY")};
    const QByteArray platform =
        choosePlatform(environment, [&] { return x11::isDisplayReachable(environment.display); });
    if (!platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
}

} // namespace vorlan
