#include "x11probe.h"

#include <QByteArrayList>
#include <QList>
#include <QProcess>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <csignal>

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
    XFree(data); // as free(), nothing where there is no data
    return bytes;
}

// A client message to the root window, as EWMH asks of pagers and taskbars.
void sendToRoot(Display *display, Window window, const char *type, long data0, long data1 = 0) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, type, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = data0;
    event.xclient.data.l[1] = data1;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display, False);
}

} // namespace

ClipboardOwner::ClipboardOwner(const QByteArray &bytes, const QString &target,
                               const QString &selection) {
    process_.start(QStringLiteral("xclip"),
                   {QStringLiteral("-selection"), selection, QStringLiteral("-quiet"),
                    QStringLiteral("-t"), target});
    process_.write(bytes);
    process_.closeWriteChannel();
    process_.waitForStarted(Patience);
}

ClipboardOwner::~ClipboardOwner() {
    signal(SIGCONT);
    process_.kill();
    process_.waitForFinished(Patience);
}

bool ClipboardOwner::signal(int sig) {
    const qint64 pid = process_.processId();
    return pid > 0 && process_.state() == QProcess::Running && ::kill(pid_t(pid), sig) == 0;
}

X11Probe::X11Probe() : display_(XOpenDisplay(nullptr)) {
    // Windows of other clients may go at any moment; a request about one
    // that is gone only finds nothing.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
}

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

bool X11Probe::startWith(const QString &layouts, const QString &variants) {
    QProcess setxkbmap;
    setxkbmap.start(QStringLiteral("setxkbmap"),
                    {QStringLiteral("-rules"), QStringLiteral("evdev"), QStringLiteral("-layout"),
                     layouts, QStringLiteral("-variant"), variants});
    if (!setxkbmap.waitForFinished(30000) || setxkbmap.exitCode() != 0) {
        return false;
    }
    XkbLockGroup(display_, XkbUseCoreKbd, 0);
    XSync(display_, False);
    return this->layouts() == layouts && lockedGroup() == 0;
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

void X11Probe::setRulesName(const QByteArray &rules) {
    const Window root = DefaultRootWindow(display_);
    QByteArray names = property(display_, root, "_XKB_RULES_NAMES");
    names = rules + names.mid(names.indexOf('\0'));
    const Atom atom = XInternAtom(display_, "_XKB_RULES_NAMES", False);
    XChangeProperty(display_, root, atom, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(names.constData()), int(names.size()));
    XSync(display_, False);
}

bool X11Probe::clipboardOwned() {
    return XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False)) != None;
}

unsigned long X11Probe::createWindow() {
    const Window window =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), 50, 50, 200, 100, 0, 0, 0);
    XStoreName(display_, window, "probe");
    XSelectInput(display_, window, KeyPressMask | FocusChangeMask);
    XMapRaised(display_, window);
    XSync(display_, False);
    return window;
}

void X11Probe::activate(unsigned long window) {
    sendToRoot(display_, window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
}

bool X11Probe::hasFocus(unsigned long window) {
    Window focus = 0;
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    int revert = 0;
    unsigned count = 0;
    XGetInputFocus(display_, &focus, &revert);
    // Up from the focus window, until the root's parent, None.
    while (focus != window && focus != None && focus != PointerRoot &&
           XQueryTree(display_, focus, &root, &parent, &children, &count) != 0) {
        XFree(children);
        focus = parent;
    }
    return focus == window;
}

QList<unsigned long> X11Probe::keysymsReceived(unsigned long window) {
    QList<unsigned long> keysyms;
    XEvent event;
    while (XCheckWindowEvent(display_, window, KeyPressMask, &event)) {
        char text[16];
        KeySym keysym = 0;
        XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
        keysyms.append(keysym);
    }
    return keysyms;
}

unsigned long X11Probe::windowOf(qint64 pid) {
    const QByteArray clients = property(display_, DefaultRootWindow(display_), "_NET_CLIENT_LIST");
    const auto *windows = reinterpret_cast<const unsigned long *>(clients.constData());
    for (qsizetype i = 0; i < clients.size() / qsizetype(sizeof(long)); ++i) {
        const QByteArray owner = property(display_, windows[i], "_NET_WM_PID");
        if (owner.size() == sizeof(long) &&
            *reinterpret_cast<const unsigned long *>(owner.constData()) == quint64(pid)) {
            return windows[i];
        }
    }
    return 0;
}

X11Probe::Frame X11Probe::frameOf(unsigned long window) {
    Window frame = window, root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    while (XQueryTree(display_, frame, &root, &parent, &children, &count) != 0) {
        XFree(children);
        if (parent == root || parent == 0) {
            break;
        }
        frame = parent;
    }
    XWindowAttributes a{};
    int x = 0, y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display_, frame, &a) == 0 ||
        XTranslateCoordinates(display_, window, frame, 0, 0, &x, &y, &child) == 0) {
        return {};
    }
    return {QRect(a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width),
            QPoint(x, y)};
}

QString X11Probe::title(unsigned long window) {
    return QString::fromUtf8(property(display_, window, "_NET_WM_NAME"));
}

void X11Probe::close(unsigned long window) {
    sendToRoot(display_, window, "_NET_CLOSE_WINDOW", CurrentTime, 2);
}

} // namespace vorlan::test
