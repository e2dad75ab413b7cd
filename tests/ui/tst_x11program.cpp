// The program itself, started as a user starts it, on a private X server
// with a window manager: what it leaves behind when it ends, and how it bears
// a keyboard description that another client has made hostile. Run by
// scripts/with-x11.sh.
#include "texts.h"
#include "x11probe.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <X11/keysym.h>

#include <csignal>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using vorlan::test::X11Probe;
namespace texts = vorlan::texts;

namespace {

constexpr int Patience = 10000; // ms for the server, the window manager or the program

// How a run is ended: by the window's close button, or by a signal.
constexpr int Closed = 0;

// One run of the program, killed if a test leaves it running.
class Program {
public:
    Program() {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(VORLAN_PROGRAM), {});
    }
    ~Program() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(Patience);
        }
    }
    qint64 pid() const { return process_.processId(); }
    void signal(int number) { ::kill(pid_t(process_.processId()), number); }
    // Whether it ended by itself with status 0 within the patience.
    bool endedCleanly() {
        return process_.waitForFinished(Patience) &&
               process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

private:
    QProcess process_;
};

} // namespace

class X11ProgramTest : public QObject {
    Q_OBJECT

    X11Probe probe;

    // Starts the program, waits until its window has the focus and the
    // start-up switch to the English pane is done; its window then.
    unsigned long startFocused(Program &program) {
        unsigned long window = 0;
        if (!QTest::qWaitFor([&] { return (window = probe.windowOf(program.pid())) != 0; },
                             Patience)) {
            return 0;
        }
        probe.activate(window);
        const bool ready = QTest::qWaitFor(
            [&] {
                return probe.hasFocus(window) && probe.title(window) == texts::kTitleEnglishPane;
            },
            Patience);
        return ready ? window : 0;
    }

    void pressEscape() { probe.type(probe.keycodeOf(XK_Escape)); }

private slots:
    void initTestCase() { QVERIFY2(probe.connected(), "needs an X server"); }

    // The user's layouts and group come back however the program ends; a
    // layout it added is gone.
    void endingGivesTheKeyboardBack_data() {
        QTest::addColumn<QString>("layouts");
        QTest::addColumn<int>("escapes"); // pane switches before the end
        QTest::addColumn<int>("end");     // Closed or a signal
        QTest::newRow("us, Persian pane, closed") << u"us"_s << 1 << Closed;
        QTest::newRow("us, Persian pane, SIGTERM") << u"us"_s << 1 << SIGTERM;
        QTest::newRow("us, Persian pane, SIGINT") << u"us"_s << 1 << SIGINT;
        QTest::newRow("us, Persian pane, SIGHUP") << u"us"_s << 1 << SIGHUP;
        QTest::newRow("us,ir, Persian pane, closed") << u"us,ir"_s << 1 << Closed;
        QTest::newRow("ir,us, English pane, SIGTERM") << u"ir,us"_s << 0 << SIGTERM;
    }
    void endingGivesTheKeyboardBack() {
        QFETCH(QString, layouts);
        QFETCH(int, escapes);
        QFETCH(int, end);
        QVERIFY(probe.startWith(layouts));
        Program program;
        const unsigned long window = startFocused(program);
        QVERIFY(window != 0);
        for (int i = 0; i < escapes; ++i) {
            pressEscape();
        }
        QTRY_COMPARE_WITH_TIMEOUT(probe.title(window),
                                  escapes % 2 ? texts::kTitlePersianPane : texts::kTitleEnglishPane,
                                  Patience);
        // In every row the pane's layout is the second group.
        QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), 1, Patience);
        if (end == Closed) {
            probe.close(window);
        } else {
            program.signal(end);
        }
        QVERIFY(program.endedCleanly());
        QCOMPARE(probe.layouts(), layouts);
        QCOMPARE(probe.lockedGroup(), 0);
    }

    // Any client may rewrite _XKB_RULES_NAMES. A rules name that is a path
    // (to a device that never ends, to a FIFO that never answers) or that
    // names no rules file adds no layout, and the program goes on answering
    // and ends on SIGTERM.
    void hostileRulesNameLeavesItResponsive_data() {
        QTest::addColumn<QByteArray>("rules");
        QTest::newRow("endless device") << QByteArrayLiteral("/dev/zero");
        QTest::newRow("FIFO") << QByteArrayLiteral("FIFO");
        QTest::newRow("climbing out of the rules folder")
            << QByteArrayLiteral("../../../../../../../../dev/zero");
        QTest::newRow("no such rules") << QByteArrayLiteral("nosuchrules");
    }
    void hostileRulesNameLeavesItResponsive() {
        QFETCH(QByteArray, rules);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (rules == "FIFO") {
            rules = QFile::encodeName(folder.filePath(u"fifo"_s));
            QCOMPARE(::mkfifo(rules.constData(), 0600), 0);
        }
        QVERIFY(probe.startWith(u"us"_s)); // Persian has to be added
        probe.setRulesName(rules);
        Program program;
        const unsigned long window = startFocused(program);
        QVERIFY(window != 0);
        pressEscape();
        QTRY_COMPARE_WITH_TIMEOUT(probe.title(window), texts::kTitlePersianPane, Patience);
        pressEscape();
        QTRY_COMPARE_WITH_TIMEOUT(probe.title(window), texts::kTitleEnglishPane, Patience);
        program.signal(SIGTERM);
        QVERIFY(program.endedCleanly());
        QCOMPARE(probe.layouts(), u"us"_s);
        QCOMPARE(probe.rulesName(), QString::fromLatin1(rules));
        probe.setRulesName("evdev");
    }

    void cleanupTestCase() { probe.setRulesName("evdev"); }
};

QTEST_MAIN(X11ProgramTest)
#include "tst_x11program.moc"
