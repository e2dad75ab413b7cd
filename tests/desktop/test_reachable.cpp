// The probe that decides whether the program runs on xcb, against the
// private X server and displays that do not exist.
#include "x11/reachable.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayReachable, OnlyAServerThatAcceptsAConnection) {
    const QByteArray display = qgetenv("DISPLAY");
    ASSERT_FALSE(display.isEmpty());
    const std::pair<QByteArray, bool> cases[] = {
        {display, true},
        {":4711", false}, // no such server
        {"nohost.invalid:0", false},
        {"", false},
        {"::::", false}, // not a display name at all
    };
    for (const auto &[name, reachable] : cases) {
        EXPECT_EQ(vorlan::x11::isDisplayReachable(name), reachable) << name.constData();
    }
}

} // namespace
