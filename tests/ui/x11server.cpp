#include "x11server.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace vorlan::testing {

namespace {
Display *dpy(void *d) {
    return static_cast<Display *>(d);
}
} // namespace

X11Server::X11Server() : display_(XOpenDisplay(nullptr)) {}

X11Server::~X11Server() {
    if (display_) {
        XCloseDisplay(dpy(display_));
    }
}

int X11Server::group() {
    XkbStateRec state{};
    XkbGetState(dpy(display_), XkbUseCoreKbd, &state);
    return state.locked_group;
}

bool X11Server::above(quint64 window) {
    const Atom stateAtom = XInternAtom(dpy(display_), "_NET_WM_STATE", False);
    const Atom aboveAtom = XInternAtom(dpy(display_), "_NET_WM_STATE_ABOVE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(dpy(display_), static_cast<Window>(window), stateAtom, 0, 64, False, XA_ATOM,
                       &type, &format, &count, &after, &data);
    bool found = false;
    for (unsigned long i = 0; data && i < count; ++i) {
        found = found || reinterpret_cast<Atom *>(data)[i] == aboveAtom;
    }
    XFree(data);
    return found;
}

void X11Server::typeKey(const char *keysym) {
    const KeyCode code = XKeysymToKeycode(dpy(display_), XStringToKeysym(keysym));
    XTestFakeKeyEvent(dpy(display_), code, True, CurrentTime);
    XTestFakeKeyEvent(dpy(display_), code, False, CurrentTime);
    XSync(dpy(display_), False);
}

} // namespace vorlan::testing
