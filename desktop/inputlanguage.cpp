#include "inputlanguage.h"

#include <QGuiApplication>
#include <QWidget>

#include <memory>
#include <utility>

namespace vorlan::mDic {

QString layoutForLanguage(int32_t Lang) {
    if (Lang == 2) {
        return EnglishLayout;
    }
    if (Lang == 1) {
        return PersianLayout;
    }
    return {};
}

void SetInputLanguage(KeyboardService &keyboard, int32_t &Lang) {
    const QString layout = layoutForLanguage(Lang);
    if (layout.isEmpty()) {
        return;
    }
    keyboard.loadKeyboardLayout(layout);
}

void FocusWithCtrlShift(KeyboardService &keyboard, QWidget *box, std::function<void()> done) {
    // Each step on its own: the chord still goes out when the focus step fails.
    try {
        if (box != nullptr) {
            box->setFocus(Qt::OtherFocusReason);
        }
    } catch (...) {
    }
    // Exactly once, whether the keyboard answers or throws.
    auto once = std::make_shared<std::function<void()>>(std::move(done));
    const auto finish = [once] {
        if (*once) {
            std::exchange(*once, nullptr)();
        }
    };
    try {
        keyboard.sendCtrlShift([finish](bool) { finish(); });
    } catch (...) {
        finish();
    }
}

} // namespace vorlan::mDic

namespace vorlan {

namespace {

// The layout step of a switch fails without a word, as the toggle's steps do.
void applyLayout(KeyboardService &keyboard, int32_t Lang) {
    try {
        mDic::SetInputLanguage(keyboard, Lang);
    } catch (...) {
    }
}

} // namespace

InputLanguageSwitcher::InputLanguageSwitcher(KeyboardService &keyboard, QObject *parent)
    : QObject(parent), keyboard_(keyboard) {
    active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { setActive(state == Qt::ApplicationActive); });
}

InputLanguageSwitcher::~InputLanguageSwitcher() {
    try {
        keyboard_.releaseLayout();
    } catch (...) {
    }
}

void InputLanguageSwitcher::switchTo(int32_t Lang, QWidget *box) {
    if (mDic::layoutForLanguage(Lang).isEmpty()) {
        return;
    }
    language_ = Lang;
    if (!active_ || chordPending_) {
        // Inactive: applied on activation. A chord on its way: applied when
        // it has been handled, so that the Persian layout never comes before
        // its chord; English may come at once.
        if (active_ && Lang == 2) {
            applyLayout(keyboard_, Lang);
        }
        return;
    }
    if (Lang == 2) {
        applyLayout(keyboard_, Lang);
        return;
    }
    chordPending_ = true;
    // The keyboard may answer at once or long after this object is gone.
    const QPointer<InputLanguageSwitcher> self(this);
    mDic::FocusWithCtrlShift(keyboard_, box, [self] {
        if (self) {
            self->chordHandled();
        }
    });
}

void InputLanguageSwitcher::chordHandled() {
    chordPending_ = false;
    if (active_) {
        applyLayout(keyboard_, language_);
    }
}

void InputLanguageSwitcher::setActive(bool active) {
    if (active == active_) {
        return;
    }
    active_ = active;
    if (!active_) {
        try {
            keyboard_.releaseLayout();
        } catch (...) {
        }
    } else if (language_ != 0 && !chordPending_) {
        applyLayout(keyboard_, language_);
    }
}

} // namespace vorlan
