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

} // namespace

class X11ProgramTest : public QObject {
    Q_OBJECT

    X11Probe probe;

private slots:
    void initTestCase() { QVERIFY2(probe.connected(), "needs an X server"); }
    void cleanup() { probe.setRulesName("evdev"); }

    // The user's layouts and group come back however the program ends; a
    // layout it added is gone. Any client may rewrite _XKB_RULES_NAMES: a
    // rules name that is a path (to a device that never ends, to a FIFO that
    // never answers) or that names no rules file adds no layout, and the
    // program goes on answering and ends on SIGTERM.
    void endingGivesTheKeyboardBack_data() {
        QTest::addColumn<QString>("layouts");
        QTest::addColumn<QByteArray>("rules"); // empty: the session's
        QTest::addColumn<int>("escapes");      // pane switches before the end
        QTest::addColumn<int>("group");        // locked then
        QTest::addColumn<int>("end");          // Closed or a signal
        QTest::newRow("us, Persian pane, closed") << u"us"_s << QByteArray() << 1 << 1 << Closed;
        QTest::newRow("us, Persian pane, SIGTERM") << u"us"_s << QByteArray() << 1 << 1 << SIGTERM;
        QTest::newRow("us, Persian pane, SIGINT") << u"us"_s << QByteArray() << 1 << 1 << SIGINT;
        QTest::newRow("us, Persian pane, SIGHUP") << u"us"_s << QByteArray() << 1 << 1 << SIGHUP;
        QTest::newRow("us,ir, Persian pane, closed")
            << u"us,ir"_s << QByteArray() << 1 << 1 << Closed;
        QTest::newRow("ir,us, English pane, SIGTERM")
            << u"ir,us"_s << QByteArray() << 0 << 1 << SIGTERM;
        const QByteArray hostile[][2] = {
            {"endless device", "/dev/zero"},
            {"FIFO", "FIFO"},
            {"climbing out of the rules folder", "../../../../../../../../dev/zero"},
            {"no such rules", "nosuchrules"}};
        for (const auto &[name, rules] : hostile) {
            QTest::newRow(name.constData()) << u"us"_s << rules << 2 << 0 << SIGTERM;
        }
    }
    void endingGivesTheKeyboardBack() {
        QFETCH(QString, layouts);
        QFETCH(QByteArray, rules);
        QFETCH(int, escapes);
        QFETCH(int, group);
        QFETCH(int, end);
        QTemporaryDir folder;
        if (rules == "FIFO") {
            rules = QFile::encodeName(folder.filePath(u"fifo"_s));
            QCOMPARE(::mkfifo(rules.constData(), 0600), 0);
        }
        QVERIFY(probe.startWith(layouts));
        if (!rules.isEmpty()) {
            probe.setRulesName(rules);
        }
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
        for (int i = 1; i <= escapes; ++i) {
            probe.type(probe.keycodeOf(XK_Escape));
            QTRY_COMPARE_WITH_TIMEOUT(probe.title(window),
                                      i % 2 ? texts::kTitlePersianPane : texts::kTitleEnglishPane,
                                      Patience);
        }
        QTRY_COMPARE_WITH_TIMEOUT(probe.lockedGroup(), group, Patience);
        if (end == Closed) {
            probe.close(window);
        } else {
            ::kill(pid_t(program.processId()), end);
        }
        QVERIFY(program.waitForFinished(Patience));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(probe.layouts(), layouts);
        QCOMPARE(probe.lockedGroup(), 0);
        if (!rules.isEmpty()) {
            QCOMPARE(probe.rulesName(), QString::fromLatin1(rules));
        }
    }
};

QTEST_MAIN(X11ProgramTest)
#include "tst_x11program.moc"
