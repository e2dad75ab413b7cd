#include "services.h"

#include "espeakspeech.h"
#include "messagebox.h"
#include "qtclipboard.h"
#include "x11/display.h"
#include "x11/keyboard.h"
#include "x11/stacking.h"

#include <QGuiApplication>

namespace vorlan {

namespace {

// Where the session has no keyboard layouts or stacking of ours to drive
// (offscreen, Wayland): quietly nothing.
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
        if (QGuiApplication::platformName() == u"xcb") {
            if (auto connection = x11::Connection::open()) {
                keyboard_ = std::make_unique<x11::Keyboard>(connection);
                stacking_ = std::make_unique<x11::Stacking>(connection);
            }
        }
        if (!keyboard_) {
            keyboard_ = std::make_unique<NoKeyboard>();
            stacking_ = std::make_unique<NoStacking>();
        }
    }

    KeyboardService &keyboard() override { return *keyboard_; }
    ClipboardService &clipboard() override { return clipboard_; }
    StackingService &stacking() override { return *stacking_; }
    SpeechService &speech() override { return speech_; }
    MessageBoxService &messageBox() override { return messageBox_; }

private:
    std::unique_ptr<KeyboardService> keyboard_;
    std::unique_ptr<StackingService> stacking_;
    QtClipboardService clipboard_;
    EspeakSpeechService speech_;
    QtMessageBoxService messageBox_;
};

} // namespace

std::unique_ptr<DesktopServices> createPlatformServices() {
    return std::make_unique<PlatformServices>();
}

} // namespace vorlan
