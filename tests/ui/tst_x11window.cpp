// The window on a real X server with a window manager, over the real
// desktop services: what only a display shows. Run by scripts/with-x11.sh,
// which gives each run a private server.
#include "uifixture.h"
#include "x11probe.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <cstdlib>

using namespace Qt::StringLiterals;
using vorlan::test::X11Probe;

namespace {

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

    void layoutFollowsThePaneAndTypesPersian() {
        X11Probe probe;
        QVERIFY(probe.connected());
        QVERIFY(run(u"setxkbmap"_s, {u"-layout"_s, u"us"_s})); // Persian not configured
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        auto *persian = h.find<QLineEdit>("txtFaSearch");
        KeyRecorder chord(persian, probe);
        const int englishGroup = probe.lockedGroup();

        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        // The chord reached the Persian box while the English layout was on.
        QVERIFY(chord.presses.contains(std::pair<int, int>(Qt::Key_Control, englishGroup)));
        QVERIFY(chord.presses.contains(std::pair<int, int>(Qt::Key_Shift, englishGroup)));
        QVERIFY(probe.lockedGroup() != englishGroup);

        probe.type(probe.keycodeOf('a')); // keysym a: the key of sheen on the Persian layout
        probe.type(probe.keycodeOf('q'));
        QTRY_COMPARE(persian->text(), u"شض"_s);

        QTest::keyClick(persian, Qt::Key_Escape);
        QCOMPARE(probe.lockedGroup(), englishGroup);
        probe.type(probe.keycodeOf('a'));
        QTRY_COMPARE(h.find<QLineEdit>("txtEnSearch")->text(), u"a"_s);
    }
};

QTEST_MAIN(X11WindowTest)
#include "tst_x11window.moc"
