// Which Qt platform the program asks for, from the environment and whether
// an X display answers.
#include "platformchoice.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformChoice, XcbWhereAnXDisplayAnswersUnlessTheUserChose) {
    struct Case {
        const char *name;
        vorlan::SessionEnvironment environment;
        bool reachable;
        QByteArray platform;
        bool probed;
    };
    const Case cases[] = {
        {"X11 session", {"", ":0"}, true, "xcb", true},
        {"Wayland session with XWayland", {"", ":1"}, true, "xcb", true},
        {"X display set but dead", {"", ":7"}, false, "", true},
        {"Wayland only: Qt's own choice", {"", ""}, false, "", false},
        {"user asks for wayland", {"wayland", ":1"}, true, "", false},
        {"user asks for xcb", {"xcb", ":1"}, false, "", false},
        {"user asks for offscreen without display", {"offscreen", ""}, false, "", false},
        {"user's platform with options", {"wayland:nogl", ":0"}, true, "", false},
    };
    for (const Case &c : cases) {
        bool probed = false;
        const QByteArray platform = vorlan::choosePlatform(c.environment, [&] {
            probed = true;
            return c.reachable;
        });
        EXPECT_EQ(platform, c.platform) << c.name;
        EXPECT_EQ(probed, c.probed) << c.name;
    }
}

} // namespace
