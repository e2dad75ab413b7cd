#include "inputlanguage.h"
#include "services.h"
#include "x11probe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <X11/keysym.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Patience = 10000;

struct KeyboardTest : testing::Test {
    std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    vorlan::test::X11Probe probe;

    void SetUp() override { ASSERT_TRUE(probe.connected()); }
    void TearDown() override { startWith(u"us"_s); }

    // Gives the server this configuration, as the user's session would.
    void startWith(const QString &layouts, const QString &variants = {}) {
        QStringList arguments{u"-layout"_s, layouts};
        if (!variants.isEmpty()) {
            arguments << u"-variant"_s << variants;
        }
        ASSERT_TRUE(vorlan::test::run(u"setxkbmap"_s, arguments));
        ASSERT_EQ(probe.layouts(), layouts);
        // Reloading the same layouts keeps the group; a new session starts at the first.
        probe.lockGroup(0);
    }
};

TEST_F(KeyboardTest, LocksTheLayoutsGroupAddingItWhereMissing) {
    const struct {
        QString start;
        QString startVariants;
        QString layoutId;
        bool loaded;
        QString layouts; // afterwards
        QString variants;
        int group;
    } cases[] = {
        {u"us,ir"_s, {}, u"00000429"_s, true, u"us,ir"_s, {}, 1},
        {u"us,ir"_s, {}, u"00000409"_s, true, u"us,ir"_s, {}, 0},
        {u"ir,us"_s, {}, u"00000409"_s, true, u"ir,us"_s, {}, 1},
        {u"us"_s, {}, u"00000429"_s, true, u"us,ir"_s, {}, 1},
        {u"us"_s, {}, u"00000409"_s, true, u"us"_s, {}, 0},
        {u"de"_s, u"nodeadkeys"_s, u"00000409"_s, true, u"de,us"_s, u"nodeadkeys,"_s, 1},
        {u"us,de"_s, u",nodeadkeys"_s, u"00000429"_s, true, u"us,de,ir"_s, u",nodeadkeys,"_s, 2},
        {u"ir(pes_keypad)"_s, {}, u"00000429"_s, true, u"ir(pes_keypad)"_s, {}, 0},
        // All four groups taken: nothing changes.
        {u"de,fr,ru,gr"_s, {}, u"00000429"_s, false, u"de,fr,ru,gr"_s, {}, 0},
        {u"us,ir"_s, {}, u"00000000"_s, false, u"us,ir"_s, {}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.start + u" -> "_s + c.layoutId).toStdString());
        startWith(c.start, c.startVariants);
        ASSERT_EQ(probe.lockedGroup(), 0);
        EXPECT_EQ(services->keyboard().loadKeyboardLayout(c.layoutId), c.loaded);
        EXPECT_EQ(probe.layouts(), c.layouts);
        EXPECT_EQ(probe.variants(), c.variants);
        EXPECT_EQ(probe.lockedGroup(), c.group);
        // Again: already active stays active.
        EXPECT_EQ(services->keyboard().loadKeyboardLayout(c.layoutId), c.loaded);
        EXPECT_EQ(probe.layouts(), c.layouts);
        EXPECT_EQ(probe.lockedGroup(), c.group);
    }
}

// A search box in an active window, as the Persian pane has it.
struct TypingTest : KeyboardTest {
    QWidget window;
    QLineEdit *box = new QLineEdit(&window);

    void SetUp() override {
        KeyboardTest::SetUp();
        startWith(u"us"_s);
        box->setObjectName(u"txtFaSearch"_s);
        window.resize(300, 60);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, Patience));
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }, Patience));
    }

    QString typeKeys(const QList<unsigned> &keycodes) {
        box->clear();
        for (const unsigned keycode : keycodes) {
            probe.type(keycode);
        }
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return box->text().size() >= keycodes.size(); }, Patience));
        return box->text();
    }
};

TEST_F(TypingTest, KeysTypePersianLettersAfterTheSwitch) {
    // The keys that say "a" and "q" in the US layout: AC01 and AD01.
    const QList<unsigned> keys{probe.keycodeOf(XK_a), probe.keycodeOf(XK_q)};
    ASSERT_NE(keys[0], 0u);
    ASSERT_NE(keys[1], 0u);
    EXPECT_EQ(typeKeys(keys), u"aq"_s);

    int32_t persian = 1;
    vorlan::mDic::SetInputLanguage(services->keyboard(), persian);
    EXPECT_EQ(typeKeys(keys), u"\u0634\u0636"_s);

    int32_t english = 2;
    vorlan::mDic::SetInputLanguage(services->keyboard(), english);
    EXPECT_EQ(typeKeys(keys), u"aq"_s);
}

TEST_F(TypingTest, ChordReachesTheFocusedBoxBeforeTheCallReturns) {
    QList<QPair<QEvent::Type, int>> seen;
    struct Recorder : QObject {
        QList<QPair<QEvent::Type, int>> &seen;
        explicit Recorder(QList<QPair<QEvent::Type, int>> &s) : seen(s) {}
        bool eventFilter(QObject *, QEvent *event) override {
            if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
                seen.append({event->type(), static_cast<QKeyEvent *>(event)->key()});
            }
            return false;
        }
    } recorder(seen);
    box->installEventFilter(&recorder);

    EXPECT_TRUE(services->keyboard().sendCtrlShift());
    const QList<QPair<QEvent::Type, int>> chord{{QEvent::KeyPress, Qt::Key_Control},
                                                {QEvent::KeyPress, Qt::Key_Shift},
                                                {QEvent::KeyRelease, Qt::Key_Shift},
                                                {QEvent::KeyRelease, Qt::Key_Control}};
    EXPECT_EQ(seen, chord);
    EXPECT_EQ(box->text(), u""_s);
}

} // namespace
