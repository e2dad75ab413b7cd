#include "fakes.h"
#include "services.h"
#include "top.h"
#include "x11probe.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

constexpr int Patience = 10000; // ms to wait for the window manager

struct StackingTest : testing::Test {
    std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    vorlan::test::X11Probe probe;
    void SetUp() override { ASSERT_TRUE(probe.connected()); }
};

TEST_F(StackingTest, OwnWindowKeepsIdPlaceAndSizeWhilePinned) {
    QWidget window;
    window.setGeometry(200, 150, 320, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const unsigned long id = window.winId();
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.isManaged(id); }, Patience));
    QTest::qWait(100); // let the manager finish placing it
    const QRect before = probe.geometry(id);
    ASSERT_FALSE(probe.isAbove(id));

    for (const bool pinned : {true, false, true, false}) {
        EXPECT_TRUE(services->stacking().setTopmost(qint64(id), pinned));
        EXPECT_TRUE(QTest::qWaitFor([&] { return probe.isAbove(id) == pinned; }, Patience))
            << pinned;
        EXPECT_EQ(window.winId(), id);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(probe.geometry(id), before) << pinned;
    }
}

TEST_F(StackingTest, PinControlPinsItsWindow) {
    QWidget window;
    auto *top = new vorlan::Top(services->stacking(), &window);
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    top->UserControl_ReadProperties({});
    const unsigned long id = window.winId();
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.isManaged(id); }, Patience));

    QTest::mouseClick(top->findChild<QWidget *>(u"picNormal"_s), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe.isAbove(id); }, Patience));
    QTest::mouseClick(top->findChild<QWidget *>(u"picTop"_s), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !probe.isAbove(id); }, Patience));
}

TEST_F(StackingTest, ForeignWindowsGoThroughTheWindowManager) {
    const QRect place(300, 200, 150, 100);
    const unsigned long mapped = probe.createWindow(place);
    probe.map(mapped);
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.isManaged(mapped); }, Patience));
    QTest::qWait(100);
    const QRect before = probe.geometry(mapped);
    for (const bool pinned : {true, false}) {
        EXPECT_TRUE(services->stacking().setTopmost(qint64(mapped), pinned));
        EXPECT_TRUE(QTest::qWaitFor([&] { return probe.isAbove(mapped) == pinned; }, Patience));
        EXPECT_EQ(probe.geometry(mapped), before);
    }

    // Not mapped yet: the state is written for the manager to find.
    const unsigned long withdrawn = probe.createWindow(place);
    EXPECT_TRUE(services->stacking().setTopmost(qint64(withdrawn), true));
    EXPECT_TRUE(probe.isAbove(withdrawn));
    probe.map(withdrawn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.isManaged(withdrawn); }, Patience));
    EXPECT_TRUE(probe.isAbove(withdrawn));
}

TEST_F(StackingTest, BadHandlesAreRefused) {
    for (const qint64 handle : {qint64(0), qint64(-1), qint64(0x1FFFFFF0), qint64(1) << 40}) {
        EXPECT_FALSE(services->stacking().setTopmost(handle, true)) << handle;
    }
}

} // namespace
