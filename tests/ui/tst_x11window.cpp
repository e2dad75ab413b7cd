// The window on a real X server with a window manager, over the real
// desktop services: what only a display shows; and the program itself,
// started as a user starts it. Run by scripts/with-x11.sh, which gives each
// run a private server.
#include "aboutbox.h"
#include "texts.h"
#include "uifixture.h"
#include "x11probe.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <unistd.h>

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace vorlan::test;
using vorlan::testing::RealWindow;
namespace texts = vorlan::texts;

namespace {

// Watches the application: the key presses that reached the window's
// focused control, with the keyboard group at that moment; the deepest event
// loop any event was delivered in (0: the test's own processing, no loop
// nested in a handler); and the message boxes shown, each answered once the
// window manager has framed it and given it the keyboard, by a real Return
// key or a click on its OK button, with the frame of the last one answered.
struct Watch : QObject {
    using Press = std::tuple<QObject *, int, int>; // to, key, group
    Watch(QWidget *window, X11Probe &probe, bool byReturn = true) : window(window), probe(probe) {
        qApp->installEventFilter(this);
        connect(&poll, &QTimer::timeout, this, [this, byReturn] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || answered == shown) {
                waiting.invalidate();
                return;
            }
            if (!waiting.isValid()) {
                waiting.start();
            }
            // A box that never gets the keyboard is clicked away, so that the
            // test ends (and fails on its frame, a count of boxes or typed text).
            const bool stuck = waiting.elapsed() > 20000;
            // The frame as the server has it: Qt's own figure can be taken
            // while the window manager is still building the frame.
            const auto framed = this->probe.frameOf(box->winId());
            if ((QApplication::activeWindow() != box || framed.inner.y() <= 0 ||
                 framed.outer.width() < box->width()) &&
                !stuck) {
                return;
            }
            answered = shown;
            frame = framed.outer;
            titleBar = framed.inner.y();
            if (byReturn && !stuck) {
                this->probe.type(this->probe.keycodeOf(XK_Return));
            } else {
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
        });
        poll.start(50);
    }
    bool eventFilter(QObject *watched, QEvent *event) override {
        deepestLoop = std::max(deepestLoop, QThread::currentThread()->loopLevel());
        shown += event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched) != nullptr;
        if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget() &&
            static_cast<QWidget *>(watched)->window() == window) {
            presses.append({watched, static_cast<QKeyEvent *>(event)->key(), probe.lockedGroup()});
        }
        return false;
    }
    int count(int key) const {
        return int(
            std::ranges::count_if(presses, [key](auto &p) { return std::get<1>(p) == key; }));
    }
    QWidget *window;
    X11Probe &probe;
    QTimer poll;
    QElapsedTimer waiting;
    QList<Press> presses;
    QRect frame;
    int deepestLoop = 0, shown = 0, answered = 0, titleBar = 0;
};

} // namespace

class X11WindowTest : public QObject {
    Q_OBJECT

    X11Probe probe;

private slots:
    void initTestCase() { QVERIFY2(probe.connected(), "needs an X server"); }
    void cleanup() { probe.setRulesName("evdev"); }

    void pinKeepsTheSameWindowAbove() {
        RealWindow h;
        const WId id = h.window().winId();
        // Once the window manager has framed the new window, it is placed
        // again by its real outer size: centred across the screen, with a
        // third of the height left over above it.
        const QRect screen = h.window().screen()->geometry();
        const auto placed = [&] {
            const QRect frame = h.window().frameGeometry();
            return h.window().windowHandle()->frameMargins().top() > 0 &&
                   std::abs(frame.left() - (screen.width() - frame.width()) / 2) <= 1 &&
                   std::abs(frame.top() - (screen.height() - frame.height()) / 3) <= 1;
        };
        QTRY_VERIFY(placed());
        const QRect before = h.window().frameGeometry();
        QVERIFY(!probe.isAbove(id));
        QTest::mouseClick(h.widget("picNormal"), Qt::LeftButton);
        QTRY_VERIFY(probe.isAbove(id));
        QCOMPARE(h.window().winId(), id); // pinned in place, not made anew
        QCOMPARE(h.window().frameGeometry(), before);
        QTest::mouseClick(h.widget("picTop"), Qt::LeftButton);
        QTRY_VERIFY(!probe.isAbove(id));
    }

    // Each key press reaches the key handler once: F1, with or without a
    // modifier, or the help icon opens one About box, whichever way the box
    // is closed; a second F1 while it opens makes no second box. No event
    // loop runs nested in the handler meanwhile. The box is wide enough for
    // the window manager to show its whole title: the title in the title
    // bar's font (openbox's default, Sans Bold 8 pt) and room for the icon
    // and the three buttons, each about a title bar high, and their spaces:
    // six title bar heights in all.
    void oneAboutBoxPerF1() {
        const unsigned shift = probe.keycodeOf(XK_Shift_L);
        const unsigned control = probe.keycodeOf(XK_Control_L);
        const struct {
            const char *name;
            QList<unsigned> modifiers;
            bool byReturn; // or by OK
            int presses;   // of F1; 0: a click on the help icon
        } cases[] = {
            {"F1, Return", {}, true, 1},          {"Shift+F1, Return", {shift}, true, 1},
            {"Ctrl+F1, OK", {control}, false, 1}, {"help icon, Return", {}, true, 0},
            {"F1 F1, Return", {}, true, 2},
        };
        const int title =
            QFontMetrics(QFont(u"Sans"_s, 8, QFont::Bold)).horizontalAdvance(vorlan::aboutTitle());
        for (const auto &c : cases) {
            RealWindow h;
            auto *search = h.find<QLineEdit>("txtEnSearch");
            QTRY_COMPARE(QApplication::focusWidget(), search);
            Watch watch(&h.window(), probe, c.byReturn);
            if (c.presses == 0) {
                QTest::mouseClick(h.widget("picHelpIcon"), Qt::LeftButton);
            }
            for (int i = 0; i < c.presses; ++i) {
                probe.type(probe.keycodeOf(XK_F1), c.modifiers);
            }
            QTRY_VERIFY2_WITH_TIMEOUT(watch.shown > 0, c.name, Patience);
            // The handler has long returned; once the box is answered the
            // window has the keyboard again, in the control it had before.
            QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget() &&
                                         QApplication::activeWindow() == &h.window(),
                                     30000);
            probe.type(probe.keycodeOf(XK_x));
            QTRY_COMPARE_WITH_TIMEOUT(search->text(), u"x"_s, Patience);
            QCOMPARE(QApplication::focusWidget(), search);
            QVERIFY2(watch.deepestLoop == 0, c.name);
            QVERIFY2(watch.shown == 1, c.name);
            QVERIFY2(watch.titleBar > 0, c.name);
            QCOMPARE_GE(watch.frame.width(), title + 6 * watch.titleBar);
        }
    }

    // Esc presses that come close together, or while the window is busy,
    // each switch the pane whole: pane, title, caption and layout end in
    // step, keys typed next type the pane's letters, and no handler waits
    // in an event loop of its own.
    void rapidSwitchesStayInStep_data() {
        QTest::addColumn<int>("presses");
        QTest::addColumn<bool>("busy"); // the window does not answer while they come
        QTest::newRow("two at once") << 2 << false;
        QTest::newRow("two at once, busy") << 2 << true;
        QTest::newRow("three at once") << 3 << false;
    }
    void rapidSwitchesStayInStep() {
        QFETCH(int, presses);
        QFETCH(bool, busy);
        QVERIFY(probe.startWith(u"us"_s));
        RealWindow h;
        Watch watch(&h.window(), probe);
        QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(h.window().winId()), Patience);
        bool english = true;
        for (int round = 0; round < 3; ++round) {
            watch.presses.clear();
            QProcess xdotool;
            xdotool.start(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"0"_s} +
                                            QStringList(presses, u"Escape"_s));
            if (busy) {
                QVERIFY(xdotool.waitForFinished(Patience)); // the UI thread answers nothing
            }
            QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, Patience);
            QTRY_COMPARE_WITH_TIMEOUT(watch.count(Qt::Key_Escape), presses, Patience);
            english = english == (presses % 2 == 0);
            const auto inStep = [&] {
                return h.englishShown() == english &&
                       h.window().windowTitle() ==
                           (english ? texts::kTitleEnglishPane : texts::kTitlePersianPane) &&
                       h.find<QPushButton>("cmdLan")->text() == (english ? u"En"_s : u"Fa"_s) &&
                       probe.lockedGroup() == (english ? 0 : 1); // us, then ir added after it
            };
            QTRY_VERIFY_WITH_TIMEOUT(inStep(), Patience);
            auto *box = h.find<QLineEdit>(english ? "txtEnSearch" : "txtFaSearch");
            QCOMPARE(QApplication::focusWidget(), box);
            probe.type(probe.keycodeOf(XK_a));
            QTRY_COMPARE_WITH_TIMEOUT(box->text(), english ? u"a"_s : u"\u0634"_s, Patience);
            QVERIFY(inStep());
            box->clear();
        }
        QCOMPARE(watch.deepestLoop, 0);
    }

    // Persian not configured: the first switch adds it, and the chord
    // reaches the Persian box while the English layout is still on. The
    // layout follows the pane only while our window is active: another
    // program keeps the user's layout, even when the clipboard watcher
    // switches our pane behind it, and gets no keys of ours. Coming back
    // applies the pane's layout again; the end gives everything back.
    void anotherProgramKeepsTheUsersLayout() {
        QVERIFY(probe.startWith(u"us"_s));
        const unsigned long other = probe.createWindow();
        const QList<unsigned long> hal{XK_h, XK_a, XK_l};
        const auto typeInOther = [&] {
            QList<unsigned long> typed;
            for (const unsigned long keysym : hal) {
                probe.type(probe.keycodeOf(keysym));
            }
            // Whatever reached the window before (a chord) comes first.
            QTRY_VERIFY_WITH_TIMEOUT((typed += probe.keysymsReceived(other)).size() >= 3, Patience);
            QCOMPARE(typed, hal);
        };
        {
            RealWindow h;
            const unsigned long ours = h.window().winId();
            QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(ours), Patience);
            Watch chord(&h.window(), probe);
            QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 1, Patience);
            QObject *persian = h.widget("txtFaSearch");
            QVERIFY(chord.presses.contains(Watch::Press(persian, Qt::Key_Control, 0)));
            QVERIFY(chord.presses.contains(Watch::Press(persian, Qt::Key_Shift, 0)));

            probe.activate(other);
            QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(other), Patience);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 0, Patience);
            typeInOther();

            QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
            ClipboardOwner apple("apple");
            QTRY_VERIFY_WITH_TIMEOUT(h.englishShown(), Patience);
            ClipboardOwner salam("\u0633\u0644\u0627\u0645");
            QTRY_VERIFY_WITH_TIMEOUT(!h.englishShown(), Patience);
            QCOMPARE(h.find<QLineEdit>("txtFaSearch")->text(), u"\u0633\u0644\u0627\u0645"_s);
            QCOMPARE(h.window().windowTitle(), texts::kTitlePersianPane);
            QVERIFY(probe.hasFocus(other));
            QCOMPARE(probe.lockedGroup(), 0);
            typeInOther();

            for (const unsigned long window : {ours, other, ours}) {
                probe.activate(window);
                QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), window == ours ? 1 : 0, Patience);
            }
        }
        // As at the end of a run: the user's layouts and group, as before.
        QCOMPARE(probe.layouts(), u"us"_s);
        QCOMPARE(probe.lockedGroup(), 0);
    }

    // The clipboard's owner stops answering (xclip, then SIGSTOP) while the
    // watcher is on: once resumed, its text is looked up again. A paste
    // pastes what the owner holds, no further than the box's maximum length.
    // With the owners of the clipboard and of the selection stopped, every
    // way to paste leaves the window answering: a key typed next arrives
    // within a tenth of a second (Qt's own read of the clipboard held it 5 to
    // 15 s), and the paste, given up, pastes nothing.
    void stoppedClipboardOwnerLeavesTheWindowAnswering() {
        ClipboardOwner selection("kiwi", u"UTF8_STRING"_s, u"primary"_s);
        RealWindow h;
        auto *english = h.find<QLineEdit>("txtEnSearch");
        ClipboardOwner owner("plum");
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"plum"_s, Patience);
        english->setFocus();
        QTRY_VERIFY(english->hasFocus() && h.window().isActiveWindow());
        // The reads that failed meanwhile left no word behind.
        QVERIFY(owner.signal(SIGSTOP));
        QTRY_COMPARE_WITH_TIMEOUT(h.window().lastClipWord(), u""_s, Patience); // a read gave up
        english->setText(u"typed"_s);
        QVERIFY(owner.signal(SIGCONT));
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"plum"_s, Patience);

        const unsigned control = probe.keycodeOf(XK_Control_L);
        const unsigned shift = probe.keycodeOf(XK_Shift_L);
        const QList<unsigned> controlShift{control, shift};
        const auto key = [&](unsigned long keysym, const QList<unsigned> &modifiers = {}) {
            probe.type(probe.keycodeOf(keysym), modifiers);
        };
        QTest::mouseClick(english, Qt::MiddleButton); // the selection
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"plumkiwi"_s, Patience);
        const QString nearlyFull(32765, u'a');
        english->setText(nearlyFull);
        key(XK_v, {control});
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), nearlyFull + u"pl"_s, Patience);
        english->setText({});
        QVERIFY(owner.signal(SIGSTOP) && selection.signal(SIGSTOP));
        const std::pair<const char *, std::function<void()>> pastes[] = {
            {"Ctrl+V", [&] { key(XK_v, {control}); }},
            {"Shift+Insert", [&] { key(XK_Insert, {shift}); }},
            {"Ctrl+Shift+Insert", [&] { key(XK_Insert, controlShift); }},
            {"middle click", [&] { QTest::mouseClick(english, Qt::MiddleButton); }},
            {"the menu's Paste", [&] { key(XK_Menu), key(XK_p); }},
        };
        QString typed;
        for (const auto &[name, paste] : pastes) {
            typed += u'q';
            QElapsedTimer clock;
            clock.start();
            paste();
            key(XK_q);
            QVERIFY2(QTest::qWaitFor([&] { return english->text() == typed; }, 30000), name);
            QVERIFY2(clock.elapsed() < 100,
                     qPrintable(u"%1: %2 ms"_s.arg(name).arg(clock.elapsed())));
            QTest::qWait(300); // spread over several ticks
        }
    }

    // The program as a user starts it: the user's layout and group come back
    // however it ends (0: by the close button, or by a signal, within a
    // second, a paste from a stopped owner pending); the layout it added is
    // gone. Any client may rewrite _XKB_RULES_NAMES: a rules name
    // that is a path (here to a device that never ends) or that names no
    // rules file adds no layout, and the program goes on answering.
    void endingGivesTheKeyboardBack_data() {
        QTest::addColumn<QByteArray>("rules"); // empty: the session's
        QTest::addColumn<int>("end");          // 0 or a signal
        QTest::newRow("Persian pane, closed") << QByteArray() << 0;
        QTest::newRow("Persian pane, SIGTERM") << QByteArray() << SIGTERM;
        QTest::newRow("endless device") << "/dev/zero"_ba << SIGTERM;
        QTest::newRow("no such rules") << "nosuchrules"_ba << SIGTERM;
    }
    void endingGivesTheKeyboardBack() {
        QFETCH(QByteArray, rules);
        QFETCH(int, end);
        const int escapes = rules.isEmpty() ? 1 : 2; // to the Persian pane, or there and back
        QVERIFY(probe.startWith(u"us"_s));
        if (!rules.isEmpty()) {
            probe.setRulesName(rules);
        }
        ClipboardOwner stopped("plum");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(VORLAN_PROGRAM), {});
        // Its window, once it has the focus and the start-up switch to the
        // English pane is done.
        unsigned long window = 0;
        QTRY_VERIFY_WITH_TIMEOUT((window = probe.windowOf(program.processId())) != 0, Patience);
        probe.activate(window);
        QTRY_VERIFY_WITH_TIMEOUT(
            probe.hasFocus(window) && probe.title(window) == texts::kTitleEnglishPane, Patience);
        QVERIFY(stopped.signal(SIGSTOP)); // long since the clipboard's owner
        for (int i = 1; i <= escapes; ++i) {
            // A paste from the stopped owner holds up neither the Esc nor the end.
            probe.type(probe.keycodeOf(XK_v), {probe.keycodeOf(XK_Control_L)});
            probe.type(probe.keycodeOf(XK_Escape));
            QTRY_COMPARE_WITH_TIMEOUT(probe.title(window),
                                      i % 2 ? texts::kTitlePersianPane : texts::kTitleEnglishPane,
                                      Patience);
        }
        QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), escapes % 2, Patience);
        if (end == 0) {
            probe.close(window);
        } else {
            ::kill(pid_t(program.processId()), end);
        }
        QVERIFY(program.waitForFinished(end == 0 ? Patience : 1000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(probe.layouts(), u"us"_s);
        QCOMPARE(probe.lockedGroup(), 0);
        if (!rules.isEmpty()) {
            QCOMPARE(probe.rulesName(), QString::fromLatin1(rules));
        }
    }
};

QTEST_MAIN(X11WindowTest)
#include "tst_x11window.moc"
