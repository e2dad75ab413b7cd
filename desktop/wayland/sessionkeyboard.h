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
    // ok: the layout is now current. previous: the layout current before, in
    // the desktop's own XKB naming ("us", "de+nodeadkeys"); empty when unknown.
    using Done = std::function<void(bool ok, const QString &previous)>;

    virtual ~LayoutSwitcher() = default;
    // Asks the desktop without waiting for it; done runs exactly once, later,
    // on this thread, also when the desktop does not answer in time. Never
    // after the switcher is gone.
    virtual void activate(const QString &layout, Done done) = 0;
    // For the end of the run, when no event loop is left to deliver an
    // answer: asks and waits, a bounded time.
    virtual void activateNow(const QString &layout) = 0;
    // False once the desktop has said that it lacks the layout.
    virtual bool mayHave(const QString &layout) const = 0;
};

// The input language through the desktop's switcher. The layout follows the
// pane only while the application is active: on deactivation the layout the
// user had is given back, on activation the pane's is applied again, and at
// the end of the run the user's comes back. One request is in flight at a
// time; requests made meanwhile only move the target.
class SessionKeyboard final : public QObject, public KeyboardService {
    Q_OBJECT
public:
    // Follows the application's activation when a QGuiApplication exists.
    explicit SessionKeyboard(std::unique_ptr<LayoutSwitcher> switcher);
    ~SessionKeyboard() override;

    // Asks for the layout of "00000429" or "00000409" and returns before the
    // desktop answers: false for other identifiers and for a layout the
    // desktop said it lacks (its configuration is left as it is).
    bool loadKeyboardLayout(const QString &layoutId) override;
    // The chord reaches only X clients here, never the compositor's focus:
    // nothing is sent.
    bool sendCtrlShift() override { return false; }

    void setActive(bool active);

    // The layout last asked of the desktop with success; empty while the
    // desktop is as the user left it.
    QString applied() const { return applied_; }

private:
    void reconcile();

    std::unique_ptr<LayoutSwitcher> switcher_;
    bool active_ = false;
    bool busy_ = false;
    QString wanted_;     // the pane's layout
    QString applied_;    // ours, as the desktop now has it
    QString userLayout_; // the user's, to give back
    QString refused_;    // asked and refused; not asked again until wanted anew
};

// "ir" for "00000429", "us" for "00000409", empty for any other.
QString xkbNameOfLayoutId(const QString &layoutId);

} // namespace vorlan
