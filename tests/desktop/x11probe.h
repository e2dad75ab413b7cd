#pragma once

// What the X11 tests look at, read through a connection of their own so that
// they do not trust the code under test to report on itself.

#include <QList>
#include <QString>

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

    int lockedGroup();
    void lockGroup(int group);
    // _XKB_RULES_NAMES' layout and variant lists.
    QString layouts() { return xkbName(2); }
    QString variants() { return xkbName(3); }
    unsigned keycodeOf(unsigned long keysym);
    // Presses and releases a key through XTest, with the modifier keys held
    // down around it.
    void type(unsigned keycode, const QList<unsigned> &modifiers = {});

private:
    QString xkbName(int field);
    _XDisplay *display_ = nullptr;
};

} // namespace vorlan::test
