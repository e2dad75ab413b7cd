#include "x11probe.h"

#include <QByteArrayList>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>

namespace vorlan::test {

namespace {

// A property's items as Xlib hands them over (32-bit ones as longs); empty
// where the window has none.
QByteArray property(Display *display, Window window, const char *name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False,
                       AnyPropertyType, &type, &format, &count, &after, &data);
    const int size = format == 32 ? int(sizeof(long)) : format / 8;
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(count) * size);
    if (data != nullptr) {
        XFree(data);
    }
    return bytes;
}

} // namespace

X11Probe::X11Probe() : display_(XOpenDisplay(nullptr)) {}

X11Probe::~X11Probe() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

bool X11Probe::isAbove(unsigned long window) {
    const QByteArray state = property(display_, window, "_NET_WM_STATE");
    const auto *atoms = reinterpret_cast<const unsigned long *>(state.constData());
    const auto *end = atoms + state.size() / qsizetype(sizeof(long));
    return std::find(atoms, end, XInternAtom(display_, "_NET_WM_STATE_ABOVE", False)) != end;
}

int X11Probe::lockedGroup() {
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    return state.locked_group;
}

void X11Probe::lockGroup(int group) {
    XkbLockGroup(display_, XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(display_, False);
}

// rules, model, layouts, variants, options; each ended by a NUL.
QString X11Probe::xkbName(int field) {
    const QByteArray names = property(display_, DefaultRootWindow(display_), "_XKB_RULES_NAMES");
    return QString::fromLatin1(names.split('\0').value(field));
}

unsigned X11Probe::keycodeOf(unsigned long keysym) {
    return XKeysymToKeycode(display_, static_cast<KeySym>(keysym));
}

void X11Probe::type(unsigned keycode, const QList<unsigned> &modifiers) {
    for (const unsigned modifier : modifiers) {
        XTestFakeKeyEvent(display_, modifier, True, CurrentTime);
    }
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) {
        XTestFakeKeyEvent(display_, *m, False, CurrentTime);
    }
    XSync(display_, False);
}

} // namespace vorlan::test
