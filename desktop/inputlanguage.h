#pragma once

#include "services.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace vorlan::mDic {

// Keyboard layout identifiers of the two input languages.
inline const QString PersianLayout = QStringLiteral("00000429");
inline const QString EnglishLayout = QStringLiteral("00000409");

// The layout identifier of a language code: 1 Persian, 2 US English; empty
// for any other code.
QString layoutForLanguage(int32_t Lang);

// Activates the keyboard layout of the language code Lang (1 Persian, 2 US
// English). Any other code does nothing. Lang is read, never changed, and
// whether the desktop could activate the layout is not looked at.
void SetInputLanguage(KeyboardService &keyboard, int32_t &Lang);

// Gives the box the focus, then sends the chord Ctrl+Shift; returns at once
// and runs `done` once the chord has been handled (see
// KeyboardService::sendCtrlShift). A step that fails is skipped without a
// word; a null box only skips the focus step. `done` always runs.
void FocusWithCtrlShift(KeyboardService &keyboard, QWidget *box, std::function<void()> done);

} // namespace vorlan::mDic

namespace vorlan {

// Keeps the keyboard layout in step with the shown pane, as a layout of the
// window's own: it is applied only while the application is active, the
// user's own layout comes back whenever the application loses the
// activation, and the pane's layout is applied again when it regains it.
//
// Nothing waits: the switch to Persian sends the chord and activates the
// layout once the chord has been handled, from the event loop. A switch
// made while a chord is on its way replaces the earlier one, and the layout
// always ends as the latest switch asks.
class InputLanguageSwitcher : public QObject {
public:
    explicit InputLanguageSwitcher(KeyboardService &keyboard, QObject *parent = nullptr);
    // Gives the user's layout back.
    ~InputLanguageSwitcher() override;
    InputLanguageSwitcher(const InputLanguageSwitcher &) = delete;
    InputLanguageSwitcher &operator=(const InputLanguageSwitcher &) = delete;

    // The input-language steps of a pane switch: Lang 1 (Persian) sends the
    // chord into `box` (given the focus again), then activates the Persian
    // layout; Lang 2 (US English) activates its layout at once. Other codes
    // change nothing. While the application is not active only the language
    // is noted, and no key is sent. Returns at once.
    void switchTo(int32_t Lang, QWidget *box);

    // The language of the latest switch, 0 before the first.
    int32_t language() const { return language_; }
    // Whether a chord is on its way.
    bool chordPending() const { return chordPending_; }

    // Follows the application's activation; connected to
    // QGuiApplication::applicationStateChanged, public for tests.
    void setActive(bool active);

private:
    void chordHandled();

    KeyboardService &keyboard_;
    int32_t language_ = 0;
    bool active_ = false;
    bool chordPending_ = false;
};

} // namespace vorlan
