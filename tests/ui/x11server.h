#pragma once

#include <QtGlobal>

namespace vorlan::testing {

// The X server seen through a connection of the test's own, as other
// clients see it. Xlib stays in its own file: its macros clash with Qt's.
class X11Server {
public:
    X11Server();
    ~X11Server();
    X11Server(const X11Server &) = delete;
    X11Server &operator=(const X11Server &) = delete;

    bool ok() const { return display_ != nullptr; }
    // The locked XKB group of the core keyboard.
    int group();
    // Whether the window's _NET_WM_STATE holds _NET_WM_STATE_ABOVE.
    bool above(quint64 window);
    // Presses and releases the key of an X keysym name ("a") through XTest.
    void typeKey(const char *keysym);

private:
    void *display_;
};

} // namespace vorlan::testing
