#pragma once

#include "display.h"
#include "services.h"

#include <memory>

namespace vorlan::x11 {

// Pins windows with the EWMH state _NET_WM_STATE_ABOVE, which the window
// manager honours while keeping the window where and as large as it is.
class Stacking final : public StackingService {
public:
    explicit Stacking(std::shared_ptr<Connection> connection);

    // A window of this application gets Qt::WindowStaysOnTopHint on its
    // QWindow (the QWidget's flags would re-create and hide it); any other
    // window is asked for through the window manager. False for handle 0, a
    // window that does not exist, or without a connection.
    bool setTopmost(qint64 windowHandle, bool topmost) override;

private:
    bool setForeignAbove(unsigned long window, bool above);

    std::shared_ptr<Connection> connection_;
};

} // namespace vorlan::x11
