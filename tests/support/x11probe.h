#pragma once

// What the X11 tests look at, read through a connection of their own so that
// they do not trust the code under test to report on itself.

#include <QList>
#include <QProcess>
#include <QRect>
#include <QString>

struct _XDisplay;

namespace vorlan::test {

constexpr int Patience = 10000; // ms for the server, another client or the window manager

// xclip owning the CLIPBOARD (or "primary") with these bytes as this target
// until it is gone; signal() stops or resumes that xclip alone, never a
// process group.
class ClipboardOwner {
public:
    explicit ClipboardOwner(const QByteArray &bytes,
                            const QString &target = QStringLiteral("UTF8_STRING"),
                            const QString &selection = QStringLiteral("clipboard"));
    ~ClipboardOwner();
    bool signal(int sig);

private:
    QProcess process_;
};

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
    // Gives the server these layouts and variants with the first group
    // locked, as a session would; true once it has them.
    bool startWith(const QString &layouts, const QString &variants = {});
    // _XKB_RULES_NAMES' layout and variant lists.
    QString layouts() { return xkbName(2); }
    QString variants() { return xkbName(3); }
    unsigned keycodeOf(unsigned long keysym);
    // Presses and releases a key through XTest, with the modifier keys held
    // down around it.
    void type(unsigned keycode, const QList<unsigned> &modifiers = {});

    // The rules name of _XKB_RULES_NAMES, and a way to set it as any client
    // on the display can.
    QString rulesName() { return xkbName(0); }
    void setRulesName(const QByteArray &rules);
    // Whether any client owns the CLIPBOARD selection.
    bool clipboardOwned();

    // A top-level window of the probe's own, as another program would have,
    // mapped and listening to its key presses.
    unsigned long createWindow();
    // Asks the window manager to activate a window, as a taskbar does.
    void activate(unsigned long window);
    // Whether the input focus is on the window or inside it.
    bool hasFocus(unsigned long window);
    // The keysyms of the key presses a window of the probe received since the
    // last call, as that window's program would read them.
    QList<unsigned long> keysymsReceived(unsigned long window);

    // The managed top-level window of a process (_NET_WM_PID), 0 while none.
    unsigned long windowOf(qint64 pid);
    // The window manager's frame around a top-level window as the server has
    // it: its outer rectangle, and where the window stands inside it.
    struct Frame {
        QRect outer;
        QPoint inner;
    };
    Frame frameOf(unsigned long window);
    // _NET_WM_NAME of a window.
    QString title(unsigned long window);
    // Asks the window manager to close a window, as its close button does.
    void close(unsigned long window);

private:
    QString xkbName(int field);
    _XDisplay *display_ = nullptr;
};

} // namespace vorlan::test
