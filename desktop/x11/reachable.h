#pragma once

#include <QByteArray>

namespace vorlan::x11 {

// Whether the X server named (as in DISPLAY) accepts a connection now.
bool isDisplayReachable(const QByteArray &displayName);

} // namespace vorlan::x11
