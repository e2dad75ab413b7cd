#pragma once

#include <QString>

#include <functional>
#include <memory>

class QObject;
class QWidget;

namespace vorlan {

// What the window asks of the desktop, each behind a small interface so that
// the window can run over the real desktop (X11) or over fakes in tests.
// Where the session cannot do something (no X11, no speech engine) the
// implementation does nothing and reports false; nobody shows an error.

// Keyboard layouts and synthesised key presses. Nothing here may outlive
// the service or reach other programs: destroying it gives back whatever it
// changed in the desktop's keyboard configuration.
class KeyboardService {
public:
    virtual ~KeyboardService() = default;
    // Loads the layout named by its 8-digit identifier ("00000429" Persian,
    // "00000409" US English) if the desktop lacks it and makes it the active
    // one. False when it could not; unknown identifiers do nothing. The
    // first call after releaseLayout() notes the user's own layout first.
    virtual bool loadKeyboardLayout(const QString &layoutId) = 0;
    // Our windows lost the activation: the layout the user had before
    // loadKeyboardLayout took over comes back.
    virtual void releaseLayout() = 0;
    // Presses and releases Ctrl+Shift as real key events into our window
    // that has the keyboard focus, never into another program's. Returns at
    // once, without running an event loop; `done` runs once, later, from the
    // event loop (or at once when nothing could be sent), when the keys have
    // been handled or the wait for them given up, with whether they were
    // sent. A destroyed service never runs it.
    virtual void sendCtrlShift(std::function<void(bool sent)> done) = 0;
};

// Plain text of the desktop's clipboard. Its owner is another program that
// may be slow, stalled or hostile, so it is read without waiting for it.
class ClipboardService {
public:
    using TextHandler = std::function<void(const QString &text)>;
    // The clipboard proper, or the text last selected (X11's PRIMARY), which
    // a middle click pastes.
    enum class Selection { Clipboard, Primary };
    virtual ~ClipboardService() = default;
    // Starts reading the clipboard's text and returns at once. `done` gets
    // the text once, on the asking thread, from its event loop (or before
    // this returns, where the text is at hand), and not at all once
    // `context` is gone. The text is empty when the clipboard holds none,
    // cannot be read, or its owner does not answer within a short time;
    // of a long text only the beginning is read. False, and no call, while
    // an earlier read is still under way or waiting.
    virtual bool readText(QObject *context, TextHandler done) = 0;
    // A paste's read, as readText but never refused: it starts once the
    // read under way, if any, has ended, with a time of its own. Pastes
    // asked meanwhile share that read, as it starts after all of them.
    virtual void readForPaste(Selection selection, QObject *context, TextHandler done) = 0;
};

// Stacking order of top-level windows.
class StackingService {
public:
    virtual ~StackingService() = default;
    // Keeps the window with this native handle above all windows that are not
    // topmost themselves, or returns it to normal stacking. The window keeps
    // its identity, position and size.
    virtual bool setTopmost(qint64 windowHandle, bool topmost) = 0;
};

// One speech voice: speaks texts asynchronously, one after the other.
class Voice {
public:
    virtual ~Voice() = default;
    // Queues the text and returns at once. flags 1 means asynchronous.
    virtual bool Speak(const QString &text, int flags) = 0;
};

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // A new voice, or nullptr when there is no speech engine.
    virtual std::unique_ptr<Voice> createVoice() = 0;
};

// The desktop's message box, modal to the application.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // style: MB_RIGHT (0x80000) aligns the text right, MB_RTLREADING
    // (0x100000) lays it out right to left; 0 is a plain box with one OK
    // button. Shows the box and returns at once, without running an event
    // loop; the box goes away by itself when the user closes it. One box at
    // a time: while one is open, another call brings it to the front and
    // shows nothing new.
    virtual void messageBox(QWidget *parent, const QString &text, const QString &title,
                            int style) = 0;
};

// The set the window works with. Owned by whoever created it.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    virtual KeyboardService &keyboard() = 0;
    virtual ClipboardService &clipboard() = 0;
    virtual StackingService &stacking() = 0;
    virtual SpeechService &speech() = 0;
    virtual MessageBoxService &messageBox() = 0;
};

// The services of the running session: X11 where the application runs on
// the xcb platform, otherwise ones that quietly do nothing (the message box
// is a real one everywhere). Needs a QApplication.
std::unique_ptr<DesktopServices> createPlatformServices();

} // namespace vorlan
