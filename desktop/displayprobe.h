#pragma once

#include <QString>

namespace vorlan {

// Settles the Qt platform before the application object exists, since Qt
// aborts when its display cannot be opened and waits for ever on one that
// takes the connection and never answers. Opens each display the session
// names once it answers, off this thread and retrying refusals, for at most
// DisplayDeadline in all; sets QT_QPA_PLATFORM to the one chosen
// (choosePlatform). Returns empty when the program can go on, else the one
// line to print before it ends with status 1.
QString settlePlatform();

} // namespace vorlan
