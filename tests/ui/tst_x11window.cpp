// The window on a real X server with a window manager, over the real
// desktop services: what only a display shows. Run by scripts/with-x11.sh,
// which gives each run a private server.
#include "aboutbox.h"
#include "quitsignals.h"
#include "texts.h"
#include "uifixture.h"
#include "x11probe.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <cstdlib>
#include <unistd.h>

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using vorlan::test::X11Probe;
namespace texts = vorlan::texts;

namespace {

constexpr int Patience = 10000; // ms for the server, another client or the window manager

bool run(const QString &program, const QStringList &arguments, const QByteArray &input = {}) {
    QProcess p;
    p.start(program, arguments);
    p.write(input);
    p.closeWriteChannel();
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Key presses a widget receives, with the keyboard group at that moment.
struct KeyRecorder : QObject {
    KeyRecorder(QWidget *watched, X11Probe &probe) : probe(probe) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            presses.append({static_cast<QKeyEvent *>(event)->key(), probe.lockedGroup()});
        }
        return false;
    }
    X11Probe &probe;
    QList<std::pair<int, int>> presses; // key, group
};

// Counts the message boxes the program shows and answers each one, once it
// has the keyboard, by a real Return key or a click on its OK button.
class BoxAnswerer : public QObject {
public:
    enum Answer { ByReturn, ByOk };
    BoxAnswerer(X11Probe &probe, Answer how) : probe_(probe), answer_(how) {
        qApp->installEventFilter(this);
        connect(&poll_, &QTimer::timeout, this, [this] { answer(); });
        poll_.start(50);
    }
    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched)) {
            ++shown;
        }
        return false;
    }

private:
    void answer() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || answered_ == shown) {
            waiting_.invalidate();
            return;
        }
        if (!waiting_.isValid()) {
            waiting_.start();
        }
        // A box that never gets the keyboard is clicked away, so that the
        // test ends (and fails on a count of boxes or typed text).
        const bool stuck = waiting_.elapsed() > 20000;
        if (QApplication::activeWindow() != box && !stuck) {
            return;
        }
        answered_ = shown;
        if (answer_ == ByReturn && !stuck) {
            probe_.type(probe_.keycodeOf(XK_Return));
        } else {
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        }
    }
    X11Probe &probe_;
    Answer answer_;
    QTimer poll_;
    QElapsedTimer waiting_;
    int answered_ = 0;
};

// Escape presses that reached the window, and the deepest event loop any
// event was delivered in (0: the test's own processing, no loop nested in a
// handler).
struct EventWatch : QObject {
    explicit EventWatch(QWidget *window) : window(window) { qApp->installEventFilter(this); }
    ~EventWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override {
        deepestLoop = std::max(deepestLoop, QThread::currentThread()->loopLevel());
        if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget() &&
            static_cast<QWidget *>(watched)->window() == window &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            ++escapes;
        }
        return false;
    }
    QWidget *window;
    int escapes = 0;
    int deepestLoop = 0;
};

// A program owning the clipboard until it is killed; stopped and resumed at will.
struct ClipboardOwner {
    QProcess process;
    explicit ClipboardOwner(const QByteArray &text) {
        process.start(u"xclip"_s, {u"-selection"_s, u"clipboard"_s, u"-quiet"_s});
        process.write(text);
        process.closeWriteChannel();
        process.waitForStarted(10000);
    }
    ~ClipboardOwner() {
        signal(SIGCONT);
        process.kill();
        process.waitForFinished(10000);
    }
    // Only to a running xclip, never to a whole process group.
    bool signal(int sig) {
        const qint64 pid = process.processId();
        return pid > 0 && process.state() == QProcess::Running && ::kill(pid_t(pid), sig) == 0;
    }
};

// Milliseconds from a key typed through the server to its letter in the
// line edit; -1 when it never came.
qint64 keyResponse(X11Probe &probe, QLineEdit *edit, char letter) {
    const QString before = edit->text();
    QElapsedTimer clock;
    clock.start();
    probe.type(probe.keycodeOf(static_cast<unsigned char>(letter)));
    if (!QTest::qWaitFor([&] { return edit->text() == before + QLatin1Char(letter); }, 30000)) {
        return -1;
    }
    return clock.elapsed();
}

} // namespace

class X11WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "needs an X server"); }

    void clipboardFromAnotherProgram() {
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        h.window().cmdLan_Click(); // Persian pane shown
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        QVERIFY(run(u"xclip"_s, {u"-selection"_s, u"clipboard"_s}, "  Hello world  "));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtEnSearch")->text(), u"Hello"_s, 1000);
        QVERIFY(h.englishShown());
        QVERIFY(run(u"xclip"_s, {u"-selection"_s, u"clipboard"_s}, "ستاره دنباله دار"));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"ستاره"_s, 1000);
        QVERIFY(!h.englishShown());
    }

    void pinKeepsTheSameWindowAbove() {
        X11Probe probe;
        QVERIFY(probe.connected());
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
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
        QWidget *normal = h.widget("picNormal");
        QWidget *top = h.widget("picTop");
        QVERIFY(!probe.isAbove(id));
        QTest::mouseClick(normal, Qt::LeftButton);
        QTRY_VERIFY(probe.isAbove(id));
        QCOMPARE(h.window().winId(), id); // pinned in place, not made anew
        QCOMPARE(h.window().frameGeometry(), before);
        QTest::mouseClick(top, Qt::LeftButton);
        QTRY_VERIFY(!probe.isAbove(id));
    }

    // Each key press reaches the key handler once: F1, with or without a
    // modifier, opens one About box, whichever way the box is closed; a
    // second F1 while it opens makes no second box. No event loop runs
    // nested in the handler meanwhile.
    void oneAboutBoxPerF1() {
        X11Probe probe;
        QVERIFY(probe.connected());
        const unsigned shift = probe.keycodeOf(XK_Shift_L);
        const unsigned control = probe.keycodeOf(XK_Control_L);
        const struct {
            const char *name;
            QList<unsigned> modifiers;
            BoxAnswerer::Answer answer;
            bool helpIcon;
            int presses;
        } cases[] = {
            {"F1, Return", {}, BoxAnswerer::ByReturn, false, 1},
            {"F1, OK", {}, BoxAnswerer::ByOk, false, 1},
            {"Shift+F1, Return", {shift}, BoxAnswerer::ByReturn, false, 1},
            {"Ctrl+F1, OK", {control}, BoxAnswerer::ByOk, false, 1},
            {"help icon, Return", {}, BoxAnswerer::ByReturn, true, 1},
            {"F1 F1, Return", {}, BoxAnswerer::ByReturn, false, 2},
        };
        const auto services = vorlan::createPlatformServices();
        QStringList boxes;
        for (const auto &c : cases) {
            vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
            auto *search = h.find<QLineEdit>("txtEnSearch");
            QTRY_COMPARE(QApplication::focusWidget(), search);
            BoxAnswerer answerer(probe, c.answer);
            EventWatch watch(&h.window());
            if (c.helpIcon) {
                QTest::mouseClick(h.widget("picHelpIcon"), Qt::LeftButton);
            }
            for (int i = c.helpIcon ? 0 : c.presses; i > 0; --i) {
                probe.type(probe.keycodeOf(XK_F1), c.modifiers);
            }
            QTRY_VERIFY2_WITH_TIMEOUT(answerer.shown > 0, c.name, 10000);
            // The handler has long returned; once the box is answered the
            // window has the keyboard again, in the control it had before.
            QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget() &&
                                         QApplication::activeWindow() == &h.window(),
                                     30000);
            probe.type(probe.keycodeOf(XK_x));
            QTRY_COMPARE_WITH_TIMEOUT(search->text(), u"x"_s, 10000);
            QCOMPARE(QApplication::focusWidget(), search);
            QVERIFY2(watch.deepestLoop == 0, c.name);
            boxes << u"%1: %2"_s.arg(QString::fromLatin1(c.name)).arg(answerer.shown);
        }
        QStringList once;
        for (const auto &c : cases) {
            once << QString::fromLatin1(c.name) + u": 1"_s;
        }
        QCOMPARE(boxes, once);
    }

    // The About box is wide enough for the window manager to show its whole
    // title: the title in the title bar's font (openbox's default, Sans Bold
    // 8 pt) and room for the icon and the three buttons, each about a title
    // bar high, and their spaces: six title bar heights in all.
    void aboutBoxShowsItsWholeTitle() {
        X11Probe probe;
        QVERIFY(probe.connected());
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        QRect frame;
        int titleBar = 0;
        bool answered = false;
        QTimer poll;
        QElapsedTimer waited;
        waited.start();
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            // Answered once framed, or after a long wait so that the test ends.
            if (box->windowHandle()->frameMargins().top() > 0) {
                frame = box->frameGeometry();
                titleBar = box->windowHandle()->frameMargins().top();
            } else if (waited.elapsed() < 20000) {
                return;
            }
            answered = true;
            box->button(QMessageBox::Ok)->click();
        });
        poll.start(50);
        QTest::mouseClick(h.widget("picHelpIcon"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 30000);
        QVERIFY(titleBar > 0);
        QFont titleFont(u"Sans"_s, 8, QFont::Bold);
        const int title = QFontMetrics(titleFont).horizontalAdvance(vorlan::aboutTitle());
        QVERIFY2(frame.width() >= title + 6 * titleBar,
                 qPrintable(u"box %1 wide, title %2, title bar %3 high"_s.arg(frame.width())
                                .arg(title)
                                .arg(titleBar)));
    }

    // Persian not configured: the first switch adds it, and the chord
    // reaches the Persian box while the English layout is still on. What
    // the keys type then is rapidSwitchesStayInStep's.
    void chordReachesThePersianBoxUnderTheEnglishLayout() {
        X11Probe probe;
        QVERIFY(probe.connected());
        QVERIFY(run(u"setxkbmap"_s, {u"-layout"_s, u"us"_s})); // Persian not configured
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        auto *persian = h.find<QLineEdit>("txtFaSearch");
        KeyRecorder chord(persian, probe);
        const int englishGroup = probe.lockedGroup();

        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        QTRY_VERIFY(probe.lockedGroup() != englishGroup);
        // The chord reached the Persian box while the English layout was on.
        QVERIFY(chord.presses.contains(std::pair<int, int>(Qt::Key_Control, englishGroup)));
        QVERIFY(chord.presses.contains(std::pair<int, int>(Qt::Key_Shift, englishGroup)));
    }

    // Esc presses that come close together, or while the window is busy,
    // each switch the pane whole: pane, title, caption and layout end in
    // step, keys typed next type the pane's letters, and no handler waits
    // in an event loop of its own.
    void rapidSwitchesStayInStep_data() {
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("delay"); // ms between the presses
        QTest::addColumn<bool>("busy"); // the window does not answer while they come
        QTest::newRow("two at once") << 2 << 0 << false;
        QTest::newRow("two at once, busy") << 2 << 0 << true;
        QTest::newRow("two 300 ms apart, busy") << 2 << 300 << true;
        QTest::newRow("three at once") << 3 << 0 << false;
    }
    void rapidSwitchesStayInStep() {
        QFETCH(int, presses);
        QFETCH(int, delay);
        QFETCH(bool, busy);
        X11Probe probe;
        QVERIFY(probe.startWith(u"us"_s));
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        EventWatch watch(&h.window());
        QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(h.window().winId()), Patience);
        bool english = true;
        for (int round = 0; round < 3; ++round) {
            watch.escapes = 0;
            QProcess xdotool;
            QStringList arguments{u"key"_s, u"--delay"_s, QString::number(delay)};
            for (int i = 0; i < presses; ++i) {
                arguments << u"Escape"_s;
            }
            xdotool.start(u"xdotool"_s, arguments);
            if (busy) {
                QVERIFY(xdotool.waitForFinished(Patience)); // the UI thread answers nothing
            }
            QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, Patience);
            QTRY_COMPARE_WITH_TIMEOUT(watch.escapes, presses, Patience);
            english = english == (presses % 2 == 0);
            const int group = english ? 0 : 1; // us, then ir added after it
            const auto inStep = [&] {
                return h.englishShown() == english &&
                       h.window().windowTitle() ==
                           (english ? texts::kTitleEnglishPane : texts::kTitlePersianPane) &&
                       h.find<QPushButton>("cmdLan")->text() == (english ? u"En"_s : u"Fa"_s) &&
                       probe.lockedGroup() == group;
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

    // The layout follows the pane only while our window is active: another
    // program keeps the user's layout, even when the clipboard watcher
    // switches our pane behind it, and gets no keys of ours. Coming back
    // applies the pane's layout again; the end gives everything back.
    void anotherProgramKeepsTheUsersLayout() {
        X11Probe probe;
        QVERIFY(probe.startWith(u"us"_s));
        const unsigned long other = probe.createWindow();
        QList<unsigned long> typed;
        const auto typeInOther = [&] {
            typed.clear();
            for (const unsigned long keysym : {XK_h, XK_a, XK_l}) {
                probe.type(probe.keycodeOf(keysym));
            }
            // Whatever reached the window before (a chord) comes first.
            QTRY_VERIFY_WITH_TIMEOUT((typed += probe.keysymsReceived(other)).size() >= 3, Patience);
        };
        const QList<unsigned long> hal{XK_h, XK_a, XK_l};
        {
            const auto services = vorlan::createPlatformServices();
            vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
            const unsigned long ours = h.window().winId();
            QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(ours), Patience);
            QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 1, Patience);

            probe.activate(other);
            QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(other), Patience);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 0, Patience);
            typeInOther();
            QCOMPARE(typed, hal);

            QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
            QVERIFY(run(u"xclip"_s, {u"-selection"_s, u"clipboard"_s}, "apple"));
            QTRY_VERIFY_WITH_TIMEOUT(h.englishShown(), Patience);
            QVERIFY(run(u"xclip"_s, {u"-selection"_s, u"clipboard"_s}, "\u0633\u0644\u0627\u0645"));
            QTRY_VERIFY_WITH_TIMEOUT(!h.englishShown(), Patience);
            QCOMPARE(h.window().windowTitle(), texts::kTitlePersianPane);
            QVERIFY(probe.hasFocus(other));
            QCOMPARE(probe.lockedGroup(), 0);
            typeInOther();
            QCOMPARE(typed, hal);

            probe.activate(ours);
            QTRY_VERIFY_WITH_TIMEOUT(probe.hasFocus(ours), Patience);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 1, Patience);
            probe.activate(other);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 0, Patience);
            probe.activate(ours);
            QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 1, Patience);
        }
        // As at the end of a run: the user's layouts and group, as before.
        QCOMPARE(probe.layouts(), u"us"_s);
        QCOMPARE(probe.lockedGroup(), 0);
    }

    // The clipboard's owner stops answering (xclip, then SIGSTOP) while the
    // watcher is on: the window goes on answering keys, a new copy is still
    // looked up, a resumed owner's text again, and SIGTERM ends the run at
    // once. The bound is a liveness check, far above a key's usual few
    // milliseconds and far below the seconds a blocked read would take.
    // Last: the quit leaves the application's event loops ended.
    void stoppedClipboardOwnerLeavesTheWindowAnswering() {
        X11Probe probe;
        QVERIFY(probe.connected());
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        auto *english = h.find<QLineEdit>("txtEnSearch");
        ClipboardOwner stalled("apple");
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"apple"_s, 10000);
        QVERIFY(h.englishShown());
        english->setFocus();
        QTRY_VERIFY(english->hasFocus() && h.window().isActiveWindow());

        QVERIFY(stalled.signal(SIGSTOP));
        constexpr qint64 Bound = 1500; // ms
        qint64 slowest = 0;
        for (const char letter : {'q', 'w', 'e', 'r', 't', 'y'}) {
            const qint64 ms = keyResponse(probe, english, letter);
            QVERIFY2(ms >= 0, "a key never arrived");
            slowest = std::max(slowest, ms);
            QTest::qWait(300); // spread over several ticks
        }
        qInfo("slowest key with the owner stopped: %lld ms", slowest);
        QVERIFY2(slowest < Bound, qPrintable(u"%1 ms"_s.arg(slowest)));

        {
            // Copying anew while the old owner is still stopped.
            ClipboardOwner fresh("pear tart");
            QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"pear"_s, 10000);
        }
        // A stopped owner, once resumed, has its text looked up again: the
        // reads that failed meanwhile left no word behind.
        ClipboardOwner again("plum");
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"plum"_s, 10000);
        QVERIFY(again.signal(SIGSTOP));
        QTRY_COMPARE_WITH_TIMEOUT(h.window().lastClipWord(), u""_s, 10000); // a read gave up
        english->setText(u"typed"_s);
        QVERIFY(again.signal(SIGCONT));
        QTRY_COMPARE_WITH_TIMEOUT(english->text(), u"plum"_s, 10000);

        // SIGTERM, with an owner stopped and the watcher on.
        QVERIFY(again.signal(SIGSTOP));
        QTRY_COMPARE_WITH_TIMEOUT(h.window().lastClipWord(), u""_s, 10000);
        const vorlan::QuitOnSignals quit;
        QVERIFY(quit.active());
        QEventLoop loop;
        QElapsedTimer clock;
        QTimer::singleShot(0, [&] {
            clock.start();
            ::kill(::getpid(), SIGTERM);
        });
        QTimer::singleShot(30000, &loop, [&] { loop.exit(2); });
        const int status = loop.exec();
        qInfo("SIGTERM ended the event loop after %lld ms", clock.elapsed());
        QCOMPARE(status, 0);
        QVERIFY2(clock.elapsed() < Bound, qPrintable(u"%1 ms"_s.arg(clock.elapsed())));
    }
};

QTEST_MAIN(X11WindowTest)
#include "tst_x11window.moc"
