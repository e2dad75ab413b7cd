#include "reachable.h"

#include <X11/Xlib.h>

namespace vorlan::x11 {

bool isDisplayReachable(const QByteArray &displayName) {
    if (displayName.isEmpty()) {
        return false;
    }
    Display *display = XOpenDisplay(displayName.constData());
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

} // namespace vorlan::x11
