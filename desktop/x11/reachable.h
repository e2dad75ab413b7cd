#pragma once

#include "platformchoice.h"

#include <string>

namespace vorlan::x11 {

// Opens and closes a connection to the X display named (as in DISPLAY).
// Blocks until the server answers, for ever if it never does: run it where
// that holds up nothing.
Opened openDisplay(const std::string &name);

} // namespace vorlan::x11
