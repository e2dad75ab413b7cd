// The desktop services over a real X server, checked through a connection
// of the test's own.
#include "inputlanguage.h"
#include "services.h"
#include "x11probe.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <X11/keysym.h>

#include <optional>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Patience = 10000; // ms to wait for the server, a client or the window manager

struct X11Test : testing::Test {
    std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    vorlan::test::X11Probe probe;

    void SetUp() override { ASSERT_TRUE(probe.connected()); }

    void startWith(const QString &layouts, const QString &variants = {}) {
        ASSERT_TRUE(probe.startWith(layouts, variants)) << layouts.toStdString();
    }
};

// The window stays the same native window, shown, while the window manager
// pins and releases it.
TEST_F(X11Test, OwnWindowIsPinnedAndReleasedInPlace) {
    QWidget window;
    window.setGeometry(200, 150, 320, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const unsigned long id = window.winId();
    ASSERT_FALSE(probe.isAbove(id));
    for (const bool pinned : {true, false, true, false}) {
        EXPECT_TRUE(services->stacking().setTopmost(qint64(id), pinned));
        EXPECT_TRUE(QTest::qWaitFor([&] { return probe.isAbove(id) == pinned; }, Patience))
            << pinned;
        EXPECT_EQ(window.winId(), id);
        EXPECT_TRUE(window.isVisible());
    }
    // Bad handles are refused; an X error for a missing window is not fatal.
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
    // by someone else meanwhile; then layouts and group while ours, after
    // the last release (or at the end of the steps), and after the end.
    struct Case {
        QString start;
        QStringList steps;
        QString meanwhile;
        int held;
        QString endLayouts;
        int endGroup;
    };
    const Case cases[] = {
        {u"us"_s, {u"00000429"_s}, {}, 1, u"us"_s, 0},
        {u"us"_s, {u"00000429"_s, u"-"_s}, {}, 1, u"us"_s, 0},
        {u"ir,us"_s, {u"00000409"_s, u"-"_s, u"00000409"_s}, {}, 1, u"ir,us"_s, 0},
        {u"us,ir"_s, {u"00000429"_s, u"00000409"_s, u"00000429"_s}, {}, 1, u"us,ir"_s, 0},
        {u"us"_s, {u"00000429"_s}, u"us,ir,de"_s, 1, u"us,ir,de"_s, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.start + u": "_s + c.steps.join(u' ')).toStdString());
        services.reset();
        startWith(c.start);
        services = vorlan::createPlatformServices();
        for (const QString &step : c.steps) {
            if (step == u"-"_s) {
                EXPECT_EQ(probe.lockedGroup(), c.held);
                services->keyboard().releaseLayout();
                EXPECT_EQ(probe.lockedGroup(), 0);
            } else {
                EXPECT_TRUE(services->keyboard().loadKeyboardLayout(step));
            }
        }
        if (c.steps.constLast() != u"-"_s) {
            EXPECT_EQ(probe.lockedGroup(), c.held);
        }
        if (!c.meanwhile.isEmpty()) {
            startWith(c.meanwhile);
        }
        services.reset();
        EXPECT_EQ(probe.layouts(), c.endLayouts);
        EXPECT_EQ(probe.lockedGroup(), c.endGroup);
    }
    services = vorlan::createPlatformServices();
}

// _XKB_RULES_NAMES is anyone's to write: a rules name that is a path, climbs
// out of the rules folder or names no rules file adds no layout, at once and
// quietly. A FIFO or an endless device is never read.
TEST_F(X11Test, RulesNameFromTheServerIsNeverAPath) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray fifo = QFile::encodeName(folder.filePath(u"fifo"_s));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    for (const QByteArray &rules :
         {QByteArray("/dev/zero"), fifo, QByteArray("../../../../../../../../dev/zero"),
          QByteArray("/usr/share/X11/xkb/rules/evdev"), QByteArray("nosuchrules"),
          QByteArray("evdev\n")}) {
        SCOPED_TRACE(rules.toStdString());
        startWith(u"us"_s);
        probe.setRulesName(rules);
        EXPECT_FALSE(services->keyboard().loadKeyboardLayout(u"00000429"_s));
        EXPECT_EQ(probe.layouts(), u"us"_s);
        EXPECT_EQ(probe.lockedGroup(), 0);
        EXPECT_EQ(probe.rulesName(), QString::fromLatin1(rules));
    }
    // The system's own rules, by name, still work.
    startWith(u"us"_s);
    EXPECT_TRUE(services->keyboard().loadKeyboardLayout(u"00000429"_s));
    EXPECT_EQ(probe.layouts(), u"us,ir"_s);
}

// A focused search box, as the Persian pane has it: the chord reaches it
// before sendCtrlShift reports it handled, and once the Persian layout is on the keys
// that type "a" and "q" in the US layout type Persian letters.
TEST_F(X11Test, ChordAndPersianLettersReachTheFocusedBox) {
    startWith(u"us"_s);
    QWidget window;
    auto *box = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, Patience));
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());

    struct Recorder : QObject {
        QList<int> seen; // keys pressed, and released as negative
        bool eventFilter(QObject *, QEvent *event) override {
            if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
                const int key = static_cast<QKeyEvent *>(event)->key();
                seen.append(event->type() == QEvent::KeyPress ? key : -key);
            }
            return false;
        }
    } recorder;
    box->installEventFilter(&recorder);
    // It returns before the keys come; they are followed from the event loop.
    std::optional<bool> sent;
    services->keyboard().sendCtrlShift([&](bool ok) { sent = ok; });
    EXPECT_FALSE(sent.has_value());
    EXPECT_TRUE(recorder.seen.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.has_value(); }, Patience));
    EXPECT_TRUE(*sent);
    box->removeEventFilter(&recorder);
    EXPECT_EQ(recorder.seen,
              QList<int>({Qt::Key_Control, Qt::Key_Shift, -Qt::Key_Shift, -Qt::Key_Control}));

    const unsigned keys[] = {probe.keycodeOf(XK_a), probe.keycodeOf(XK_q)};
    ASSERT_TRUE(keys[0] != 0 && keys[1] != 0);
    const auto typed = [&] {
        box->clear();
        for (const unsigned key : keys) {
            probe.type(key);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return box->text().size() >= 2; }, Patience));
        return box->text();
    };
    EXPECT_EQ(typed(), u"aq"_s);
    for (int32_t lang : {1, 2}) {
        vorlan::mDic::SetInputLanguage(services->keyboard(), lang);
        EXPECT_EQ(typed(), lang == 1 ? u"\u0634\u0636"_s : u"aq"_s) << lang;
    }
}

} // namespace
