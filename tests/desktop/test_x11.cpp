// The desktop services over a real X server, checked through a connection
// of the test's own.
#include "services.h"
#include "x11/reachable.h"
#include "x11probe.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct X11Test : testing::Test {
    std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    vorlan::test::X11Probe probe;

    void SetUp() override { ASSERT_TRUE(probe.connected()); }

    void startWith(const QString &layouts, const QString &variants = {}) {
        ASSERT_TRUE(probe.startWith(layouts, variants)) << layouts.toStdString();
    }
};

// Handles of no window are refused: an X error for a missing window is not
// fatal. (Pinning the window itself is the window's X11 test.)
TEST_F(X11Test, BadWindowHandlesAreRefused) {
    for (const qint64 handle : {qint64(0), qint64(-1), qint64(0x1FFFFFF0), qint64(1) << 40}) {
        EXPECT_FALSE(services->stacking().setTopmost(handle, true)) << handle;
    }
}

TEST_F(X11Test, LocksTheLayoutsGroupAddingItWhereMissing) {
    // Start, its variants, layout asked for; then what loading returns, and
    // the server's layouts, variants and locked group afterwards.
    const std::tuple<QString, QString, QString, bool, QString, QString, int> cases[] = {
        {u"us,ir"_s, {}, u"00000429"_s, true, u"us,ir"_s, {}, 1},
        {u"ir,us"_s, {}, u"00000409"_s, true, u"ir,us"_s, {}, 1},
        {u"us"_s, {}, u"00000429"_s, true, u"us,ir"_s, {}, 1},
        {u"ir(pes_keypad)"_s, {}, u"00000429"_s, true, u"ir(pes_keypad)"_s, {}, 0},
        {u"us,de"_s, u",nodeadkeys"_s, u"00000429"_s, true, u"us,de,ir"_s, u",nodeadkeys,"_s, 2},
        // All four groups taken, or no such layout: nothing changes.
        {u"de,fr,ru,gr"_s, {}, u"00000429"_s, false, u"de,fr,ru,gr"_s, {}, 0},
        {u"us,ir"_s, {}, u"00000000"_s, false, u"us,ir"_s, {}, 0},
    };
    for (const auto &[start, startVariants, layoutId, loaded, layouts, variants, group] : cases) {
        SCOPED_TRACE((start + u" -> "_s + layoutId).toStdString());
        startWith(start, startVariants);
        // Twice: a layout already active stays so and is not added again.
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(services->keyboard().loadKeyboardLayout(layoutId), loaded);
            EXPECT_EQ(probe.layouts(), layouts);
            EXPECT_EQ(probe.variants(), variants);
            EXPECT_EQ(probe.lockedGroup(), group);
        }
    }
}

// The keyboard is the user's again when our windows lose the activation
// (their group) and when the service ends (their group, and their layouts
// without the one we added), unless someone set another configuration
// meanwhile: that one is left alone.
TEST_F(X11Test, GivesTheKeyboardBack) {
    // Start, layouts asked for in turn ("-" a release), a configuration set
    // by someone else meanwhile. Ours is the second group; the user's the
    // first, after a release and after the end.
    const std::tuple<QString, QStringList, QString> cases[] = {
        {u"us"_s, {u"00000429"_s, u"-"_s}, {}},
        {u"ir,us"_s, {u"00000409"_s, u"-"_s, u"00000409"_s}, {}},
        {u"us,ir"_s, {u"00000429"_s, u"00000409"_s, u"00000429"_s}, {}},
        {u"us"_s, {u"00000429"_s}, u"us,ir,de"_s},
    };
    for (const auto &[start, steps, meanwhile] : cases) {
        SCOPED_TRACE((start + u": "_s + steps.join(u' ')).toStdString());
        services.reset();
        startWith(start);
        services = vorlan::createPlatformServices();
        for (const QString &step : steps) {
            if (step == u"-"_s) {
                EXPECT_EQ(probe.lockedGroup(), 1);
                services->keyboard().releaseLayout();
                EXPECT_EQ(probe.lockedGroup(), 0);
            } else {
                EXPECT_TRUE(services->keyboard().loadKeyboardLayout(step));
            }
        }
        EXPECT_EQ(probe.lockedGroup(), steps.constLast() == u"-"_s ? 0 : 1);
        if (!meanwhile.isEmpty()) {
            startWith(meanwhile);
        }
        services.reset();
        EXPECT_EQ(probe.layouts(), meanwhile.isEmpty() ? start : meanwhile);
        EXPECT_EQ(probe.lockedGroup(), 0);
    }
}

// Whether the program runs on xcb: only a server that accepts a connection.
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
