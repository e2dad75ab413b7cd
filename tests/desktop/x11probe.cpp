#include "x11probe.h"

#include <QProcess>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace vorlan::test {

namespace {

QList<QByteArray> rulesNames(Display *display) {
    QList<QByteArray> fields;
    const Atom property = XInternAtom(display, "_XKB_RULES_NAMES", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING,
                           &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        // rules, model, layout, variant, options, each ended by a NUL.
        fields = QByteArray(reinterpret_cast<const char *>(data), int(count)).split('\0');
        XFree(data);
    }
    while (fields.size() < 5) {
        fields.append(QByteArray());
    }
    return fields;
}

} // namespace

X11Probe::X11Probe() : display_(XOpenDisplay(nullptr)) {}

X11Probe::~X11Probe() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

bool X11Probe::isAbove(unsigned long window) {
    const Atom state = XInternAtom(display_, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display_, window, state, 0, 1024, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        const auto *atoms = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < count; ++i) {
            found = found || atoms[i] == above;
        }
        XFree(data);
    }
    return found;
}

QRect X11Probe::geometry(unsigned long window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, attributes.root, 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

bool X11Probe::isManaged(unsigned long window) {
    const Atom wmState = XInternAtom(display_, "WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    const bool ok = XGetWindowProperty(display_, window, wmState, 0, 2, False, AnyPropertyType,
                                       &type, &format, &count, &after, &data) == Success &&
                    type != 0;
    if (data != nullptr) {
        XFree(data);
    }
    return ok;
}

unsigned long X11Probe::createWindow(const QRect &geometry) {
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), geometry.x(),
                                              geometry.y(), static_cast<unsigned>(geometry.width()),
                                              static_cast<unsigned>(geometry.height()), 0,
                                              BlackPixel(display_, DefaultScreen(display_)),
                                              WhitePixel(display_, DefaultScreen(display_)));
    // Ask the window manager to keep our place, as a program that knows it would.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = geometry.x();
    hints.y = geometry.y();
    hints.width = geometry.width();
    hints.height = geometry.height();
    XSetWMNormalHints(display_, window, &hints);
    XStoreName(display_, window, "foreign");
    XSync(display_, False);
    return window;
}

void X11Probe::map(unsigned long window) {
    XMapWindow(display_, window);
    XSync(display_, False);
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

QString X11Probe::layouts() {
    return QString::fromLatin1(rulesNames(display_).at(2));
}

QString X11Probe::variants() {
    return QString::fromLatin1(rulesNames(display_).at(3));
}

unsigned X11Probe::keycodeOf(unsigned long keysym) {
    return XKeysymToKeycode(display_, static_cast<KeySym>(keysym));
}

void X11Probe::type(unsigned keycode) {
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    XSync(display_, False);
}

bool run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace vorlan::test
