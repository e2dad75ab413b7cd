#include "reachable.h"

#include <xcb/xcb.h>

namespace vorlan::x11 {

Opened openDisplay(const std::string &name) {
    if (name.empty()) {
        return Opened::BadName; // xcb would take DISPLAY instead
    }
    xcb_connection_t *connection = xcb_connect(name.c_str(), nullptr);
    const int error = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    switch (error) {
    case 0:
        return Opened::Answers;
    case XCB_CONN_CLOSED_PARSE_ERR:
    case XCB_CONN_CLOSED_INVALID_SCREEN:
        return Opened::BadName;
    default:
        return Opened::Refused;
    }
}

} // namespace vorlan::x11
