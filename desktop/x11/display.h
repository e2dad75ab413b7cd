#pragma once

#include <QByteArray>

#include <memory>

// Xlib's types, without pulling its macros (None, Bool, KeyPress...) into
// every file that includes this one.
struct _XDisplay;
using Display = _XDisplay;

namespace vorlan::x11 {

// The name of the X display the application's windows are on; empty off X11.
QByteArray applicationDisplayName();

// A connection of our own to the X server the application shows its windows
// on, kept apart from Qt's so that our requests and errors never mix with its.
class Connection {
public:
    // Null when the server cannot be reached.
    static std::shared_ptr<Connection> open();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    Display *display() const { return display_; }
    bool hasXkb() const { return hasXkb_; }
    bool hasXTest() const { return hasXTest_; }
    // Drops whatever events Xlib queued for this connection (Xkb selects some
    // on its own), so that they do not pile up.
    void discardEvents();

private:
    explicit Connection(Display *display);
    Display *display_ = nullptr;
    bool hasXkb_ = false;
    bool hasXTest_ = false;
};

// Catches the X errors of one connection while it lives, instead of Xlib's
// default of ending the process. Not reentrant; UI thread only.
class ErrorTrap {
public:
    explicit ErrorTrap(Display *display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;
    // Waits for the server to have handled every request so far, then tells
    // whether any of them failed.
    bool failed();

private:
    Display *display_;
};

} // namespace vorlan::x11
