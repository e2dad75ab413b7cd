#pragma once

// What the X11 tests look at, read through a connection of their own so that
// they do not trust the code under test to report on itself.

#include <QRect>
#include <QString>
#include <QStringList>

struct _XDisplay;

namespace vorlan::test {

class X11Probe {
public:
    X11Probe();
    ~X11Probe();
    X11Probe(const X11Probe &) = delete;
    X11Probe &operator=(const X11Probe &) = delete;

    bool connected() const { return display_ != nullptr; }

    // Whether _NET_WM_STATE of the window holds _NET_WM_STATE_ABOVE.
    bool isAbove(unsigned long window);
    // The window's place on the root window and its size.
    QRect geometry(unsigned long window);
    // Whether the window manager has taken the window (it has WM_STATE).
    bool isManaged(unsigned long window);

    // A plain window of this connection's own, unmapped; destroyed with it.
    unsigned long createWindow(const QRect &geometry);
    void map(unsigned long window);

    int lockedGroup();
    void lockGroup(int group);
    // _XKB_RULES_NAMES' layout list.
    QString layouts();
    QString variants();
    unsigned keycodeOf(unsigned long keysym);
    // Presses and releases a key through XTest.
    void type(unsigned keycode);

private:
    _XDisplay *display_ = nullptr;
};

// Runs a program to its end (at most 30 s); true when it exited with 0.
bool run(const QString &program, const QStringList &arguments);

} // namespace vorlan::test
