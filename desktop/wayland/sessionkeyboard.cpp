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
    // A change made, or sent and not answered yet, is undone: the desktop
    // carries out its requests in order. One not sent yet is never made.
    const auto changes = [this](const QString &layout) {
        return !layout.isEmpty() && layout != userLayout_;
    };
    if (!userLayout_.isEmpty() && (changes(applied_) || changes(inFlight_))) {
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
    if (!holding_) {
        if (applied_.isEmpty() || applied_ == userLayout_) {
            // Nothing changed, or the user's layout is back.
            applied_.clear();
            userLayout_.clear();
        } else if (userLayout_ != refused_) {
            send(userLayout_);
        }
        return;
    }
    if (wanted_ == applied_ || wanted_ == refused_) {
        return;
    }
    if (!userLayout_.isEmpty()) {
        send(wanted_);
        return;
    }
    // Before the first change: what to give back must be known first.
    busy_ = true;
    switcher_->current([this](const QString &layout) {
        busy_ = false;
        if (layout.isEmpty()) {
            // Could not be given back: the keyboard stays as the user has it.
            refused_ = wanted_;
        } else {
            userLayout_ = layout;
            applied_ = layout;
        }
        reconcile();
    });
}

void SessionKeyboard::send(const QString &layout) {
    busy_ = true;
    inFlight_ = layout;
    switcher_->activate(layout, [this, layout](LayoutSwitcher::Outcome outcome) {
        busy_ = false;
        inFlight_.clear();
        if (outcome != LayoutSwitcher::Outcome::Refused) {
            // A switch that may have been made is undone like one made:
            // asking for the user's layout again is harmless.
            applied_ = layout;
        }
        if (outcome != LayoutSwitcher::Outcome::Made) {
            refused_ = layout;
        }
        reconcile();
    });
}

} // namespace vorlan
