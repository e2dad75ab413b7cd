#pragma once

#include "services.h"

#include <QString>

class QWidget;

namespace vorlan {

// MessageBox styles the About box uses.
inline constexpr int MB_RIGHT = 0x80000;
inline constexpr int MB_RTLREADING = 0x100000;

inline constexpr int AboutStyle = MB_RIGHT | MB_RTLREADING;

// The product's web address, a bare host name.
inline const QString AboutWebAddress = QStringLiteral("vorlan.example");

// Title, version, credit, a rule of 25 underscores and the tab-indented web
// address, in lines broken by CR LF; nothing follows the address.
QString aboutMessage();

// "درباه نرم افزار", spelled so.
QString aboutTitle();

// Shows the About message, modal to the application, right aligned and
// right to left, and returns at once; while it is open, another call raises
// the same box.
void showAboutBox(MessageBoxService &messageBox, QWidget *parent);

} // namespace vorlan
