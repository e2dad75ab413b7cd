#include "sessionkeyboard.h"

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
    : switcher_(std::move(switcher)) {}

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
    holding_ = true;
    wanted_ = layout;
    // Asked anew: the user may have added the layout since it was refused.
    refused_.clear();
    reconcile();
    return mayHave;
}

void SessionKeyboard::releaseLayout() {
    holding_ = false;
    refused_.clear();
    reconcile();
}

void SessionKeyboard::reconcile() {
    if (busy_) {
        return;
    }
    // Held: the pane's layout. Released: the user's, where we changed it.
    const QString target = holding_ ? wanted_ : (applied_.isEmpty() ? QString() : userLayout_);
    if (!holding_ && (target.isEmpty() || target == applied_)) {
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
