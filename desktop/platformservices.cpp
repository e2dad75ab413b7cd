#include "services.h"

#include "espeakspeech.h"
#include "gnome/gnomeinputsources.h"
#include "kde/kdelayouts.h"
#include "messagebox.h"
#include "platformchoice.h"
#include "qtclipboard.h"
#include "wayland/sessionkeyboard.h"
#include "x11/clipboardreader.h"
#include "x11/display.h"
#include "x11/keyboard.h"
#include "x11/stacking.h"

#include <QGuiApplication>

namespace vorlan {

namespace {

// Where the session has no keyboard layouts or stacking of ours to drive
// (offscreen, Wayland without a desktop service we know): quietly nothing.
class NoKeyboard final : public KeyboardService {
public:
    bool loadKeyboardLayout(const QString &) override { return false; }
    void releaseLayout() override {}
    void sendCtrlShift(std::function<void(bool)> done) override { done(false); }
};

class NoStacking final : public StackingService {
public:
    bool setTopmost(qint64, bool) override { return false; }
};

class PlatformServices final : public DesktopServices {
public:
    PlatformServices() {
        std::shared_ptr<x11::Connection> connection;
        if (QGuiApplication::platformName() == u"xcb") {
            connection = x11::Connection::open();
            // Its own connection and thread: the owner may stall.
            clipboard_ = std::make_unique<x11::ClipboardReader>();
        }
        if (!clipboard_) {
            clipboard_ = std::make_unique<QtClipboardService>();
        }
        // Stacking works through XWayland too: the compositor honours the
        // X window manager hints of its X clients.
        if (connection) {
            stacking_ = std::make_unique<x11::Stacking>(connection);
        } else {
            stacking_ = std::make_unique<NoStacking>();
        }
        switch (chooseKeyboard(QGuiApplication::platformName(), connection != nullptr,
                               qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_CURRENT_DESKTOP"))) {
        case KeyboardKind::Xkb:
            keyboard_ = std::make_unique<x11::Keyboard>(connection);
            break;
        case KeyboardKind::Kde:
            keyboard_ = std::make_unique<SessionKeyboard>(std::make_unique<kde::KdeLayouts>());
            break;
        case KeyboardKind::Gnome:
            keyboard_ =
                std::make_unique<SessionKeyboard>(std::make_unique<gnome::GnomeInputSources>());
            break;
        case KeyboardKind::None:
            // XWayland alone: a locked XKB group would last only until the
            // compositor sends its own state at the next key.
            keyboard_ = std::make_unique<NoKeyboard>();
            break;
        }
    }

    KeyboardService &keyboard() override { return *keyboard_; }
    ClipboardService &clipboard() override { return *clipboard_; }
    StackingService &stacking() override { return *stacking_; }
    SpeechService &speech() override { return speech_; }
    MessageBoxService &messageBox() override { return messageBox_; }

private:
    std::unique_ptr<KeyboardService> keyboard_;
    std::unique_ptr<StackingService> stacking_;
    std::unique_ptr<ClipboardService> clipboard_;
    EspeakSpeechService speech_;
    QtMessageBoxService messageBox_;
};

} // namespace

std::unique_ptr<DesktopServices> createPlatformServices() {
    return std::make_unique<PlatformServices>();
}

} // namespace vorlan
