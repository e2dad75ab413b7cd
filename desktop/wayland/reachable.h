#pragma once

#include "platformchoice.h"

#include <chrono>
#include <string>

namespace vorlan::wayland {

// Connects to the Wayland socket at this path and waits, at most until the
// deadline, for the compositor to answer one round trip.
Opened openDisplay(const std::string &socketPath, std::chrono::steady_clock::time_point deadline);

} // namespace vorlan::wayland
