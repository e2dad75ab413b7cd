// Which keyboard and which Qt platform the desktop gets; the switching
// itself is tested on the session bus (test_layoutservices.cpp).
#include "platformchoice.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(KeyboardChoice, TheDesktopsOwnServiceOnWaylandXkbOnlyOnARealXServer) {
    using enum vorlan::KeyboardKind;
    // Qt's platform, an X connection, WAYLAND_DISPLAY, XDG_CURRENT_DESKTOP.
    const std::tuple<const char *, bool, QByteArray, QByteArray, vorlan::KeyboardKind> cases[] = {
        {"xcb", true, "", "", Xkb},
        {"xcb", true, "", "KDE", Xkb}, // Plasma on X11
        {"xcb", false, "", "", None},
        {"offscreen", false, "", "GNOME", None},
        {"xcb", true, "wayland-0", "KDE", Kde},
        {"wayland", false, "wayland-0", "KDE", Kde},
        {"xcb", true, "wayland-0", "GNOME", Gnome},
        {"xcb", true, "wayland-0", "ubuntu:GNOME", Gnome},
        {"wayland", false, "wayland-0", "GNOME", Gnome},
        {"xcb", true, "wayland-0", "sway", None}, // XWayland alone: never XKB
        {"xcb", true, "wayland-0", "", None},
        {"xcb", true, "wayland-0", "GNOME-Flashback:KDEish", None},
    };
    for (const auto &[platform, x, wayland, desktop, kind] : cases) {
        EXPECT_EQ(vorlan::chooseKeyboard(QString::fromLatin1(platform), x, wayland, desktop), kind)
            << platform << " " << wayland.constData() << " " << desktop.constData();
    }
}

// The Qt platform asked for: xcb where an X display answers, else Wayland
// where one does, unless the user chose; only the displays that matter are
// opened, and with none that answers the line says why.
TEST(PlatformChoice, XcbWhereXAnswersElseWaylandElseWhyNeither) {
    using enum vorlan::Opened;
    // QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY; how X and Wayland opened
    // (NotTried: not to be opened); the platform, or part of the line.
    using Case = std::tuple<vorlan::SessionEnvironment, vorlan::Opened, vorlan::Opened, QString>;
    const Case cases[] = {
        {{"", ":0", ""}, Answers, NotTried, "xcb"},
        {{"", ":1", "wayland-0"}, Answers, Silent, "xcb"}, // XWayland
        {{"", ":1", "wayland-0"}, Silent, Answers, "wayland"},
        {{"", "", "/run/w"}, NotTried, Answers, "wayland"},
        {{"", ":7", ""}, Refused, NotTried, "(no X server accepts connections at DISPLAY=:7)"},
        {{"", ":7", ""}, Silent, NotTried, "at DISPLAY=:7 does not answer within 2 s)"},
        {{"", ":7.3", ""}, BadName, NotTried, "(DISPLAY=:7.3 does not name a screen of an X"},
        {{"", "", ""}, NotTried, NotTried, "(DISPLAY is not set)"},
        {{"", ":7", "w"}, Refused, Silent, "DISPLAY=:7; the compositor at WAYLAND_DISPLAY=w does"},
        {{"", "", "w"}, NotTried, Refused, "(DISPLAY is not set; no compositor accepts"},
        {{"wayland", ":1", ""}, NotTried, Answers, ""},
        {{"wayland:nogl", "", ""}, NotTried, Refused, "connections at WAYLAND_DISPLAY=wayland-0)"},
        {{"xcb", ":1", "w"}, Answers, NotTried, ""},
        {{"xcb", ":1", "w"}, Refused, NotTried, "(no X server accepts connections at DISPLAY=:1)"},
        {{"xcb", "", "w"}, NotTried, NotTried, "(DISPLAY is not set)"},
        {{"offscreen", ":1", "w"}, NotTried, NotTried, ""},
    };
    for (const auto &[environment, x, wayland, expected] : cases) {
        const vorlan::DisplaysToOpen open = vorlan::displaysToOpen(environment);
        const vorlan::PlatformChoice choice = vorlan::choosePlatform(environment, x, wayland);
        const QString got = QString::fromLatin1(choice.platform) + choice.missing;
        EXPECT_EQ(std::pair(open.x, open.wayland), std::pair(x != NotTried, wayland != NotTried))
            << expected.toStdString();
        EXPECT_TRUE(expected.contains(u' ') ? got.contains(expected) : got == expected)
            << got.toStdString();
    }
}

} // namespace
