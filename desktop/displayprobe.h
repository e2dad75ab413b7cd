#pragma once

#include <QString>

namespace vorlan {

// Whether the program can expect a graphical display before the toolkit
// tries one (Qt aborts when its platform cannot start). Uses no Qt GUI and
// may run before the application object exists.
struct DisplayProbe {
    // Empty when an X display answers, or the platform is not X11 (another
    // QT_QPA_PLATFORM, or none named in a Wayland session); else one
    // line saying that no graphical display could be opened and how to run
    // the program.
    static QString missingDisplayMessage();
};

} // namespace vorlan
