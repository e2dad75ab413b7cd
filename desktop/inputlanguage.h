#pragma once

#include "services.h"

#include <QString>

#include <cstdint>

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

// Gives the box the focus, then sends the chord Ctrl+Shift. A step that fails
// is skipped without a word; a null box only skips the focus step.
void FocusWithCtrlShift(KeyboardService &keyboard, QWidget *box);

} // namespace vorlan::mDic
