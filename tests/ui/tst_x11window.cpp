// The window on a real X server with a window manager, over the real
// desktop services: what only a display shows. Run by scripts/with-x11.sh,
// which gives each run a private server.
#include "uifixture.h"
#include "x11server.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using vorlan::testing::X11Server;

namespace {

bool run(const QString &program, const QStringList &arguments, const QByteArray &input = {}) {
    QProcess p;
    p.start(program, arguments);
    p.write(input);
    p.closeWriteChannel();
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Key presses a widget receives, with the keyboard group at that moment.
class KeyRecorder : public QObject {
public:
    KeyRecorder(QWidget *watched, X11Server &server) : server_(server) {
        watched->installEventFilter(this);
    }
    QList<std::pair<int, int>> presses; // key, group

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            presses.append({static_cast<QKeyEvent *>(event)->key(), server_.group()});
        }
        return false;
    }

private:
    X11Server &server_;
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
        X11Server server;
        QVERIFY(server.ok());
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        const WId id = h.window().winId();
        const QRect before = h.window().frameGeometry();
        QWidget *normal = h.widget("picNormal");
        QWidget *top = h.widget("picTop");
        QVERIFY(!server.above(id));
        QTest::mouseClick(normal, Qt::LeftButton);
        QTRY_VERIFY(server.above(id));
        QVERIFY(top->isVisible() && !normal->isVisible());
        QCOMPARE(h.window().winId(), id);
        QCOMPARE(h.window().frameGeometry(), before);
        QTest::mouseClick(top, Qt::LeftButton);
        QTRY_VERIFY(!server.above(id));
        QVERIFY(normal->isVisible());
        QCOMPARE(h.window().winId(), id);
    }

    void layoutFollowsThePaneAndTypesPersian() {
        X11Server server;
        QVERIFY(server.ok());
        QVERIFY(run(u"setxkbmap"_s, {u"-layout"_s, u"us"_s})); // Persian not configured
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        auto *persian = h.find<QLineEdit>("txtFaSearch");
        KeyRecorder chord(persian, server);
        const int englishGroup = server.group();

        QTest::keyClick(h.widget("txtEnSearch"), Qt::Key_Escape);
        // The chord reached the Persian box while the English layout was on.
        QVERIFY(chord.presses.contains(std::pair<int, int>(Qt::Key_Control, englishGroup)));
        QVERIFY(chord.presses.contains(std::pair<int, int>(Qt::Key_Shift, englishGroup)));
        QVERIFY(server.group() != englishGroup);

        server.typeKey("a"); // the key that is sheen on the Persian layout
        server.typeKey("q");
        QTRY_COMPARE(persian->text(), u"شض"_s);

        QTest::keyClick(persian, Qt::Key_Escape);
        QCOMPARE(server.group(), englishGroup);
        server.typeKey("a");
        QTRY_COMPARE(h.find<QLineEdit>("txtEnSearch")->text(), u"a"_s);
    }
};

QTEST_MAIN(X11WindowTest)
#include "tst_x11window.moc"
