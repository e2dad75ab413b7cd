#pragma once

#include <functional>

namespace vorlan::x11 {

// Runs the event loop until ready() holds, checking every few milliseconds,
// or until timeoutMs pass. Returns whether ready() held.
bool waitUntil(const std::function<bool()> &ready, int timeoutMs);

// Runs the event loop until one of our widgets has handled the release of a
// Control key, or timeoutMs pass, whichever comes first. Kept apart from the
// Xlib code, whose macros clash with Qt's names.
void waitForControlRelease(int timeoutMs);

} // namespace vorlan::x11
