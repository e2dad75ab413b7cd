#include "sessionkeyboard.h"

#include <QGuiApplication>

namespace vorlan {

QString xkbNameOfLayoutId(const QString &layoutId) {
    if (layoutId == u"00000429") {
        return QStringLiteral("ir");
    }
    if (layoutId == u"00000409") {
        return QStringLiteral("us");
    }
    return {};
}

SessionKeyboard::SessionKeyboard(std::unique_ptr<LayoutSwitcher> switcher)
    : switcher_(std::move(switcher)) {
    if (qGuiApp != nullptr) {
        active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) { setActive(state == Qt::ApplicationActive); });
    }
}

SessionKeyboard::~SessionKeyboard() {
    if (!applied_.isEmpty() && !userLayout_.isEmpty() && applied_ != userLayout_) {
        switcher_->activateNow(userLayout_);
    }
}

bool SessionKeyboard::loadKeyboardLayout(const QString &layoutId) {
    const QString layout = xkbNameOfLayoutId(layoutId);
    if (layout.isEmpty()) {
        return false;
    }
    const bool mayHave = switcher_->mayHave(layout);
    wanted_ = layout;
    // Asked anew: the user may have added the layout since it was refused.
    refused_.clear();
    reconcile();
    return mayHave;
}

void SessionKeyboard::setActive(bool active) {
    if (active_ == active) {
        return;
    }
    active_ = active;
    refused_.clear();
    reconcile();
}

void SessionKeyboard::reconcile() {
    if (busy_) {
        return;
    }
    // Active: the pane's layout. Inactive: the user's, where we changed it.
    const QString target = active_ ? wanted_ : (applied_.isEmpty() ? QString() : userLayout_);
    if (!active_ && (target.isEmpty() || target == applied_)) {
        // Nothing to give back, or it is what the desktop has anyway.
        applied_.clear();
        userLayout_.clear();
        return;
    }
    if (target.isEmpty() || target == applied_ || target == refused_) {
        return;
    }
    busy_ = true;
    switcher_->activate(target, [this, target](bool ok, const QString &previous) {
        busy_ = false;
        if (ok) {
            if (applied_.isEmpty()) {
                // Our first change since the user last had the keyboard.
                userLayout_ = previous;
            }
            applied_ = target;
        } else {
            refused_ = target;
        }
        reconcile();
    });
}

} // namespace vorlan
