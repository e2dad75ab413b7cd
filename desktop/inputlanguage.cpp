#include "inputlanguage.h"

#include <QWidget>

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

void FocusWithCtrlShift(KeyboardService &keyboard, QWidget *box) {
    // Each step on its own: the chord still goes out when the focus step fails.
    try {
        if (box != nullptr) {
            box->setFocus(Qt::OtherFocusReason);
        }
    } catch (...) {
    }
    try {
        keyboard.sendCtrlShift();
    } catch (...) {
    }
}

} // namespace vorlan::mDic
