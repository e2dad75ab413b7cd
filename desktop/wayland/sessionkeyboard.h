#pragma once

#include "services.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace vorlan {

// One desktop's own way of making an XKB layout ("ir", "us") the current one,
// asked over D-Bus: the compositor owns the keyboard on Wayland, also for
// XWayland clients, so an X client cannot switch it for itself.
class LayoutSwitcher {
public:
    // The current layout in the desktop's own XKB naming ("us",
    // "de+nodeadkeys"); empty when it cannot be told: no answer, an answer
    // of the wrong type, or a source that is no XKB layout (an input method).
    using Current = std::function<void(const QString &layout)>;
    // Made: the layout is now current. Refused: the desktop said no, or was
    // never asked, and changed nothing. Unknown: no answer in time, or one
    // of the wrong type: the switch may have been made, or be made later.
    enum class Outcome { Made, Refused, Unknown };
    using Done = std::function<void(Outcome outcome)>;

    virtual ~LayoutSwitcher() = default;
    // Both ask the desktop without waiting for it; the callback runs exactly
    // once, later, on this thread, also when the desktop does not answer in
    // time. Never after the switcher is gone.
    virtual void current(Current done) = 0;
    virtual void activate(const QString &layout, Done done) = 0;
    // For the end of the run, when no event loop is left to deliver an
    // answer: asks and waits, ExitTimeoutMs in all. Sent after any request
    // still in flight, so the desktop carries it out last.
    virtual void activateNow(const QString &layout) = 0;
    // False once the desktop has said that it lacks the layout.
    virtual bool mayHave(const QString &layout) const = 0;

    // The wait at the end of the run: short, there is no window left.
    static constexpr int ExitTimeoutMs = 500;
};

// The input language through the desktop's switcher. The window asks for a
// layout only while it is active and releases it when it loses the
// activation: then the layout the user had comes back, and at the end of
// the run too. The user's layout is read before the first change, and
// nothing is changed while it cannot be told. One request is in flight at a
// time; requests made meanwhile only move the target.
class SessionKeyboard final : public QObject, public KeyboardService {
    Q_OBJECT
public:
    explicit SessionKeyboard(std::unique_ptr<LayoutSwitcher> switcher);
    ~SessionKeyboard() override;

    // Asks for the layout of "00000429" or "00000409" and returns before the
    // desktop answers: false for other identifiers and for a layout the
    // desktop lacks or when it did not answer last time (its configuration
    // is left as it is).
    bool loadKeyboardLayout(const QString &layoutId) override;
    void releaseLayout() override;
    // The chord would reach only XWayland's clients, never the compositor:
    // nothing is sent.
    void sendCtrlShift(std::function<void(bool sent)> done) override { done(false); }

private:
    void reconcile();
    void send(const QString &layout);

    std::unique_ptr<LayoutSwitcher> switcher_;
    bool holding_ = false; // between loadKeyboardLayout and releaseLayout
    bool busy_ = false;
    QString wanted_;     // the pane's layout
    QString applied_;    // the desktop's as last read, or as we (may have) set it
    QString userLayout_; // the user's, read before our first change
    QString inFlight_;   // the layout of an activate not answered yet
    QString refused_;    // refused or unanswered; not asked again until wanted anew
};

// "ir" for "00000429", "us" for "00000409", empty for any other.
QString xkbNameOfLayoutId(const QString &layoutId);

} // namespace vorlan
