#include "stacking.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace vorlan::x11 {

namespace {

// EWMH _NET_WM_STATE actions and the source indication of a plain application.
constexpr long NetWmStateRemove = 0;
constexpr long NetWmStateAdd = 1;
constexpr long SourceApplication = 1;

QWindow *ownWindow(qint64 handle) {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    const QWindowList windows = QGuiApplication::allWindows();
    for (QWindow *window : windows) {
        if (window->handle() != nullptr && static_cast<qint64>(window->winId()) == handle) {
            return window;
        }
    }
    return nullptr;
}

std::vector<Atom> readAtoms(Display *display, Window window, Atom property) {
    std::vector<Atom> atoms;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, XA_ATOM, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_ATOM && format == 32) {
            const auto *values = reinterpret_cast<const unsigned long *>(data);
            atoms.assign(values, values + count);
        }
        XFree(data);
    }
    return atoms;
}

} // namespace

Stacking::Stacking(std::shared_ptr<Connection> connection) : connection_(std::move(connection)) {}

bool Stacking::setTopmost(qint64 windowHandle, bool topmost) {
    if (windowHandle <= 0 || windowHandle > 0xFFFFFFFFLL) {
        return false;
    }
    if (QWindow *window = ownWindow(windowHandle)) {
        // QWindow::setFlags keeps the native window; Qt sends the EWMH
        // request for a mapped window and sets the property on an unmapped one.
        window->setFlag(Qt::WindowStaysOnTopHint, topmost);
        return true;
    }
    return setForeignAbove(static_cast<unsigned long>(windowHandle), topmost);
}

bool Stacking::setForeignAbove(unsigned long window, bool above) {
    if (!connection_) {
        return false;
    }
    Display *display = connection_->display();
    ErrorTrap trap(display);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 || trap.failed()) {
        return false;
    }
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom stateAbove = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    if (attributes.map_state == IsUnmapped) {
        // A withdrawn window is not the window manager's yet: EWMH has the
        // client set the property, which the manager reads when it is mapped.
        std::vector<Atom> atoms = readAtoms(display, window, state);
        std::erase(atoms, stateAbove);
        if (above) {
            atoms.push_back(stateAbove);
        }
        XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(atoms.data()),
                        static_cast<int>(atoms.size()));
    } else {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = state;
        event.xclient.format = 32;
        event.xclient.data.l[0] = above ? NetWmStateAdd : NetWmStateRemove;
        event.xclient.data.l[1] = static_cast<long>(stateAbove);
        event.xclient.data.l[2] = 0;
        event.xclient.data.l[3] = SourceApplication;
        XSendEvent(display, attributes.root, False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }
    return !trap.failed();
}

} // namespace vorlan::x11
