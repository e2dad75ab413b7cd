#include "display.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace vorlan::x11 {

namespace {

Display *trappedDisplay = nullptr;
bool trappedError = false;
XErrorHandler previousHandler = nullptr;

int trapHandler(Display *display, XErrorEvent *event) {
    if (display == trappedDisplay) {
        trappedError = true;
        return 0;
    }
    return previousHandler != nullptr ? previousHandler(display, event) : 0;
}

} // namespace

QByteArray applicationDisplayName() {
    if (auto *x11 = qGuiApp != nullptr
                        ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                        : nullptr) {
        if (Display *display = x11->display()) {
            return DisplayString(display);
        }
    }
    return {};
}

std::shared_ptr<Connection> Connection::open() {
    const QByteArray name = applicationDisplayName();
    Display *display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (display == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<Connection>(new Connection(display));
}

Connection::Connection(Display *display) : display_(display) {
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int opcode = 0;
    int event = 0;
    int error = 0;
    hasXkb_ = XkbQueryExtension(display_, &opcode, &event, &error, &major, &minor) == True;
    int testMajor = 0;
    int testMinor = 0;
    hasXTest_ = XTestQueryExtension(display_, &event, &error, &testMajor, &testMinor) == True;
}

Connection::~Connection() {
    XCloseDisplay(display_);
}

void Connection::discardEvents() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
    }
}

ErrorTrap::ErrorTrap(Display *display) : display_(display) {
    XSync(display_, False);
    trappedDisplay = display_;
    trappedError = false;
    previousHandler = XSetErrorHandler(trapHandler);
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previousHandler);
    previousHandler = nullptr;
    trappedDisplay = nullptr;
}

bool ErrorTrap::failed() {
    XSync(display_, False);
    return trappedError;
}

} // namespace vorlan::x11
