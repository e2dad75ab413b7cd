// The program in a real Wayland session, GNOME Shell or KWin, each started
// headless by scripts/with-gnome.sh or scripts/with-kde.sh: it runs through
// XWayland, and the keyboard layout follows the pane through the desktop's
// own service, with keys typed through the compositor as a keyboard would.
#include "displayprobe.h"
#include "uifixture.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using vorlan::testing::RealWindow;

namespace {

constexpr int Patience = 20000; // ms for the compositor, XWayland and a loaded machine

// Keys as typed, by Linux evdev key code; "+" before a code only presses it,
// "-" only releases it (42 is the left Shift).
const QString Esc = u"1"_s, H = u"35"_s, L = u"38"_s, Hal = u"35 30 38"_s, ShiftH = u"+42 35 -42"_s;

bool isKde() {
    return qgetenv("XDG_CURRENT_DESKTOP") == "KDE";
}

QDBusMessage call(const QString &service, const QString &path, const QString &interface,
                  const QString &method, const QVariantList &arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(message, QDBus::Block, Patience);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qWarning() << method << reply.errorMessage();
    }
    return reply;
}

// GNOME Shell's view, through the test probe extension.
QDBusMessage probeCall(const QString &method) {
    return call(u"example.vorlan.TestProbe"_s, u"/example/vorlan/TestProbe"_s,
                u"example.vorlan.TestProbe"_s, method);
}

QString run(const QString &program, const QStringList &arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(Patience);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool exitsCleanly(QProcess &process) {
    return process.waitForFinished(Patience) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Keys through the compositor: KWin's fake input, or a remote desktop
// session of Mutter's.
struct Keys {
    const QString mutter = u"org.gnome.Mutter.RemoteDesktop"_s;
    QString session;
    bool mutterCall(const QString &method, const QVariantList &arguments = {}) {
        return call(mutter, session, mutter + u".Session"_s, method, arguments).type() ==
               QDBusMessage::ReplyMessage;
    }
    bool open() {
        if (isKde()) {
            return true;
        }
        const QDBusMessage reply =
            call(mutter, u"/org/gnome/Mutter/RemoteDesktop"_s, mutter, u"CreateSession"_s);
        session = reply.arguments().value(0).value<QDBusObjectPath>().path();
        return mutterCall(u"Start"_s);
    }
    bool type(const QString &keys) {
        if (isKde()) {
            QProcess helper;
            helper.start(QStringLiteral(VORLAN_KWIN_KEYS), keys.split(u' '));
            return exitsCleanly(helper);
        }
        for (const QString &code : keys.split(u' ')) {
            const uint key = code.sliced(code.front().isDigit() ? 0 : 1).toUInt();
            if ((!code.startsWith(u'-') && !mutterCall(u"NotifyKeyboardKeycode"_s, {key, true})) ||
                (!code.startsWith(u'+') && !mutterCall(u"NotifyKeyboardKeycode"_s, {key, false}))) {
                return false;
            }
        }
        return true;
    }
};

// The program as a user starts it (Qt picks the platform); true once its
// window is up.
bool startProgram(QProcess &program) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"QT_QPA_PLATFORM"_s);
    environment.insert(u"QT_LOGGING_RULES"_s, u"vorlan.startup.info=true"_s);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VORLAN_PROGRAM), {});
    QByteArray log;
    return QTest::qWaitFor(
        [&] { return (log += program.readAllStandardError()).contains("window up"); }, Patience);
}

// KWin's view of the layouts, from its own D-Bus service.
QStringList kdeLayouts() {
    const QString out =
        run(u"dbus-send"_s, {u"--session"_s, u"--print-reply"_s, u"--dest=org.kde.keyboard"_s,
                             u"/Layouts"_s, u"org.kde.KeyboardLayouts.getLayoutsList"_s});
    QStringList names;
    const QStringList lines = out.split(u'\n');
    // Each layout is a struct of three strings; its name comes first.
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed() == u"struct {") {
            names.append(lines.value(i + 1).trimmed().section(u'"', 1, 1));
        }
    }
    return names;
}

// Gives KWin these layouts (and variants) as System Settings would, and waits
// until it lists them. The list must differ from the one before.
void configureKde(const QString &layouts, const QString &variants = {}) {
    QFile kxkbrc(qEnvironmentVariable("XDG_CONFIG_HOME") + u"/kxkbrc"_s);
    QVERIFY(kxkbrc.open(QIODevice::WriteOnly | QIODevice::Truncate));
    kxkbrc.write("[Layout]\nLayoutList=" + layouts.toUtf8() + "\nVariantList=" + variants.toUtf8() +
                 "\nUse=true\nResetOldOptions=true\n");
    kxkbrc.close();
    QDBusMessage reload =
        QDBusMessage::createSignal(u"/Layouts"_s, u"org.kde.keyboard"_s, u"reloadConfig"_s);
    QVERIFY(QDBusConnection::sessionBus().send(reload));
    QTRY_COMPARE_WITH_TIMEOUT(kdeLayouts().join(u','), layouts, Patience);
}

// The desktop's current layout, as it reports it itself.
QString currentLayout() {
    if (isKde()) {
        const QDBusMessage index = call(u"org.kde.keyboard"_s, u"/Layouts"_s,
                                        u"org.kde.KeyboardLayouts"_s, u"getLayout"_s);
        return kdeLayouts().value(index.arguments().value(0).toInt());
    }
    return probeCall(u"InputSource"_s).arguments().value(0).toString();
}

// KWin's stacking order and focused window, sent by a script it runs.
class KwinReport : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "example.vorlan.SessionTest")
public:
    QStringList shown; // the stacking order, then the focused window; empty until reported
public slots:
    Q_SCRIPTABLE void report(const QString &stacking, const QString &focus) {
        shown = {stacking, focus};
    }
};

// Whether the compositor shows window `upper` above window `lower` (its
// windows bottom to top), while `focused` has the focus.
bool shownAbove(const QString &upper, const QString &lower, const QString &focused) {
    QStringList stacking;
    QString focus;
    if (isKde()) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        static KwinReport receiver;
        static const bool registered =
            bus.registerObject(u"/"_s, &receiver, QDBusConnection::ExportScriptableSlots) &&
            bus.registerService(u"example.vorlan.SessionTest"_s);
        receiver.shown.clear();
        const auto scripting = [](const QString &method, const QVariantList &arguments) {
            call(u"org.kde.KWin"_s, u"/Scripting"_s, u"org.kde.kwin.Scripting"_s, method,
                 arguments);
        };
        scripting(u"unloadScript"_s, {u"vorlan-probe"_s});
        scripting(u"loadScript"_s, {QStringLiteral(VORLAN_KWIN_PROBE), u"vorlan-probe"_s});
        scripting(u"start"_s, {});
        if (!registered || !QTest::qWaitFor([] { return !receiver.shown.isEmpty(); }, Patience)) {
            return false;
        }
        stacking = receiver.shown.at(0).split(u'\n');
        focus = receiver.shown.at(1);
    } else {
        stacking = probeCall(u"Stacking"_s).arguments().value(0).toStringList();
        focus = probeCall(u"Focus"_s).arguments().value(0).toString();
    }
    const auto low = stacking.indexOf(lower);
    return low >= 0 && stacking.indexOf(upper) > low && focus == focused;
}

// A native Wayland window of another program with a text box, titled
// "other program"; what is typed there comes out on its standard output.
struct OtherProgram : QProcess {
    QByteArray output;
    OtherProgram() {
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start(QStringLiteral(VORLAN_WAYLAND_WINDOW), {u"other program"_s});
    }
    ~OtherProgram() override {
        terminate();
        waitForFinished(Patience);
    }
    bool printed(const char *text) { return (output += readAllStandardOutput()).contains(text); }
};

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("WAYLAND_DISPLAY"),
                 "needs scripts/with-gnome.sh or scripts/with-kde.sh");
        QVERIFY(keys_.open());
    }

    // A session without XWayland runs two cases, one with it all; the
    // extension and wl-copy are GNOME's own.
    void init() {
        const QByteArray name = QTest::currentTestFunction();
        if (!qEnvironmentVariableIsSet("DISPLAY") && name != "runsInTheSession" &&
            name != "theLayoutFollowsThePane") {
            QSKIP("not for this session");
        }
        if (isKde() && (QByteArray(QTest::currentDataTag()) == "wl-copy" ||
                        name == "theExtensionActivatesOnlyTheUsersSources")) {
            QSKIP("GNOME only");
        }
    }

    // GNOME before the user enables the extension, KDE without Persian among
    // the user's layouts: the pane switches, the layout and the user's
    // configuration stay as they are.
    void withoutTheDesktopsHelpTheLayoutStays() {
        if (isKde()) {
            configureKde(u"us,de"_s);
        } else {
            // Installed, but off until the user enables it.
            QVERIFY(!run(u"gsettings"_s, {u"get"_s, u"org.gnome.shell"_s, u"enabled-extensions"_s})
                         .contains(u"vorlan-input-sources"_s));
            QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
                u"example.vorlan.InputSources"_s));
        }
        const auto config = [&] {
            QFile kxkbrc(qEnvironmentVariable("XDG_CONFIG_HOME") + u"/kxkbrc"_s);
            if (isKde()) {
                return kxkbrc.open(QIODevice::ReadOnly) ? QString::fromUtf8(kxkbrc.readAll())
                                                        : QString();
            }
            return run(u"gsettings"_s,
                       {u"get"_s, u"org.gnome.desktop.input-sources"_s, u"sources"_s});
        };
        const QString before = config();
        RealWindow h;
        waitForTheKeyboard(h);
        QVERIFY(keys_.type(Esc));
        QTRY_VERIFY_WITH_TIMEOUT(!h.englishShown(), Patience);
        QVERIFY(keys_.type(Hal));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"hal"_s, Patience);
        // Known by now: asked again, the answer is no at once.
        QTRY_VERIFY_WITH_TIMEOUT(!h.services->keyboard().loadKeyboardLayout(u"00000429"_s),
                                 Patience);
        QCOMPARE(config(), before);
        if (isKde()) {
            QCOMPARE(kdeLayouts(), (QStringList{u"us"_s, u"de"_s}));
            configureKde(u"us,ir"_s);
        }
    }

    // Persian configured only with a variant (Persian with the Persian
    // keypad) serves as well; nothing is added beside it.
    void aPersianVariantServesToo() {
        enableHelp();
        if (isKde()) {
            configureKde(u"us,de"_s);
            configureKde(u"us,ir"_s, u",pes_keypad"_s);
        } else {
            setGnomeSources(u"[('xkb', 'us'), ('xkb', 'ir+pes_keypad')]"_s);
        }
        RealWindow h;
        waitForTheKeyboard(h);
        QVERIFY(keys_.type(Esc));
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), isKde() ? u"ir"_s : u"ir+pes_keypad"_s,
                                  Patience);
        QVERIFY(keys_.type(H));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"\u0627"_s, Patience);
        if (isKde()) {
            QCOMPARE(kdeLayouts(), (QStringList{u"us"_s, u"ir"_s}));
            configureKde(u"us,de"_s);
            configureKde(u"us,ir"_s);
        } else {
            setGnomeSources(u"[('xkb', 'us'), ('xkb', 'ir')]"_s);
        }
    }

    // With the Wayland platform plugin installed, Qt would prefer it; the
    // program, started as a user starts it, asks for xcb while XWayland
    // answers, and shows its window there; ended by SIGTERM in its Persian
    // pane, it leaves the user's layout behind, not its own. Without
    // XWayland it runs natively, where the pin does nothing, and starts and
    // ends as anywhere.
    void runsInTheSession() {
        const bool native = !qEnvironmentVariableIsSet("DISPLAY");
        QVERIFY2(QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                               u"/platforms/libqwayland-generic.so"_s),
                 "qt6-wayland is not installed");
        QCOMPARE(QGuiApplication::platformName(), native ? u"wayland"_s : u"xcb"_s);
        if (native) {
            RealWindow h;
            QVERIFY(!h.services->stacking().setTopmost(qint64(h.window().winId()), true));
            QTest::mouseClick(h.widget("picNormal"), Qt::LeftButton);
            QVERIFY(!h.widget("picTop")->isHidden());
        }
        enableHelp();
        QCOMPARE(currentLayout(), u"us"_s);
        QProcess program;
        QVERIFY(startProgram(program));
        if (!native) {
            const QString tree = run(u"xwininfo"_s, {u"-root"_s, u"-tree"_s});
            QVERIFY2(tree.contains(u"\"vorlan\" \"vorlan\""_s), qPrintable(tree));
            // Esc until the program's window has the keyboard and shows Persian.
            for (int attempt = 0; attempt < 10 && currentLayout() != u"ir"; ++attempt) {
                QVERIFY(keys_.type(Esc));
                if (QTest::qWaitFor([] { return currentLayout() == u"ir"; }, 3000)) {
                    break;
                }
                // Reached it after all, in the English pane: once more brings Persian.
            }
            QCOMPARE(currentLayout(), u"ir"_s);
        }
        program.terminate();
        QVERIFY(exitsCleanly(program));
        QCOMPARE(currentLayout(), u"us"_s);
    }

    // Esc, then keys typed as a keyboard would: Persian letters; Shift+h the
    // alef with madda; Esc back, Latin letters.
    void theLayoutFollowsThePane() {
        enableHelp();
        RealWindow h;
        waitForTheKeyboard(h);
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), u"us"_s, Patience);

        auto *persian = h.find<QLineEdit>("txtFaSearch");
        QVERIFY(keys_.type(Esc));
        QTRY_VERIFY_WITH_TIMEOUT(!h.englishShown(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), u"ir"_s, Patience);
        QVERIFY(keys_.type(Hal));
        QTRY_COMPARE_WITH_TIMEOUT(persian->text(), u"\u0627\u0634\u0645"_s, Patience);
        QVERIFY(keys_.type(ShiftH));
        QTRY_COMPARE_WITH_TIMEOUT(persian->text(), u"\u0627\u0634\u0645\u0622"_s, Patience);

        QVERIFY(keys_.type(Esc));
        QTRY_VERIFY_WITH_TIMEOUT(h.englishShown(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), u"us"_s, Patience);
        QVERIFY(keys_.type(Hal));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtEnSearch")->text(), u"hal"_s, Patience);
    }

    // The extension's one method activates only a source the user has, and
    // answers anything else with false, changing nothing.
    void theExtensionActivatesOnlyTheUsersSources() {
        enableHelp();
        const auto activate = [](const QVariant &id) {
            return call(u"example.vorlan.InputSources"_s, u"/example/vorlan/InputSources"_s,
                        u"example.vorlan.InputSources"_s, u"Activate"_s, {id});
        };
        QVERIFY(activate(u"us"_s).arguments().value(0).toBool());
        const std::pair<QString, bool> cases[] = {
            {u"de"_s, false},    {u""_s, false},  {QString(5000, u'i'), false},
            {u"ir,us"_s, false}, {u"ir"_s, true}, {u"us"_s, true},
        };
        QString current = u"us"_s;
        for (const auto &[id, activated] : cases) {
            const QDBusMessage reply = activate(id);
            QCOMPARE(reply.signature(), u"bs"_s);
            QCOMPARE(reply.arguments().value(0).toBool(), activated);
            QCOMPARE(reply.arguments().value(1).toString(), current);
            current = activated ? id : current;
            QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), current, Patience);
        }
        // A call of the wrong shape is the bus's to refuse.
        QCOMPARE(activate(42).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(currentLayout(), u"us"_s);
    }

    // Another program focused while the Persian pane is shown types in the
    // user's layout; back in the dictionary, Persian again.
    void otherProgramsKeepTheUsersLayout() {
        enableHelp();
        RealWindow h;
        waitForTheKeyboard(h);
        QVERIFY(keys_.type(Esc));
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), u"ir"_s, Patience);
        {
            OtherProgram other;
            QTRY_VERIFY_WITH_TIMEOUT(other.printed("shown"), Patience);
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::applicationState() != Qt::ApplicationActive,
                                     Patience);
            QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), u"us"_s, Patience);
            QVERIFY(keys_.type(Hal));
            QTRY_VERIFY_WITH_TIMEOUT(other.printed("text: hal\n"), Patience);
        }
        h.window().activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), u"ir"_s, Patience);
        QVERIFY(keys_.type(H));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"\u0627"_s, Patience);
    }

    // Pinned, the window stays above a native Wayland window that has the
    // focus; unpinned, that window comes above it. With the watcher on, a
    // word copied while that window has the focus is looked up: the
    // dictionary, in its Persian pane, shows it in its English pane. Copied
    // by wl-copy on GNOME (KWin keeps Wayland sources from X programs unless
    // an X window is active), and by an X program on both desktops.
    void besideAFocusedWaylandWindow_data() {
        QTest::addColumn<QStringList>("copy");
        QTest::newRow("wl-copy") << QStringList{u"wl-copy"_s, u"--foreground"_s, u"--type"_s,
                                                u"text/plain;charset=utf-8"_s, u"  apple pie"_s};
        QTest::newRow("xclip") << QStringList{u"sh"_s, u"-c"_s,
                                              u"printf '  apple pie' | xclip -quiet "
                                              u"-selection clipboard -t UTF8_STRING"_s};
    }
    void besideAFocusedWaylandWindow() {
        QFETCH(QStringList, copy);
        RealWindow h;
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        h.window().cmdLan_Click();
        QVERIFY(!h.englishShown());
        const QString ours = h.window().windowTitle();
        const QString other = u"other program"_s;
        OtherProgram wayland;
        QTRY_VERIFY_WITH_TIMEOUT(wayland.printed("shown"), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::applicationState() != Qt::ApplicationActive,
                                 Patience);
        QTRY_VERIFY_WITH_TIMEOUT(shownAbove(other, ours, other), Patience);
        QTest::mouseClick(h.widget("picNormal"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(shownAbove(ours, other, other), Patience);

        QProcess copier;
        copier.start(copy.first(), copy.mid(1));
        QVERIFY(copier.waitForStarted(Patience));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtEnSearch")->text(), u"apple"_s, Patience);
        QVERIFY(h.englishShown());
        copier.terminate();
        QVERIFY(copier.waitForFinished(Patience));
    }

private:
    // The compositor may hand its keyboard focus to XWayland's window a
    // moment after X calls it active, and a new remote-desktop session may
    // drop its first keys: L is typed until one arrives.
    void waitForTheKeyboard(vorlan::testing::WindowHarness &h) {
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        auto *box = h.find<QLineEdit>("txtEnSearch");
        QVERIFY(h.englishShown() && box->hasFocus());
        for (int attempt = 0; attempt < 20 && box->text().isEmpty(); ++attempt) {
            QVERIFY(keys_.type(L));
            if (QTest::qWaitFor([&] { return !box->text().isEmpty(); }, 1000)) {
                break;
            }
        }
        QVERIFY(box->text().startsWith(u'l'));
        box->clear();
    }

    void setGnomeSources(const QString &sources) {
        const QStringList key{u"org.gnome.desktop.input-sources"_s, u"sources"_s};
        run(u"gsettings"_s, QStringList{u"set"_s} + key + QStringList{sources});
        QCOMPARE(run(u"gsettings"_s, QStringList{u"get"_s} + key).trimmed(), sources);
    }

    // GNOME: the user enables the extension (the shell takes it up at once).
    void enableHelp() {
        if (isKde()) {
            return;
        }
        run(u"gsettings"_s, {u"set"_s, u"org.gnome.shell"_s, u"enabled-extensions"_s,
                             u"['vorlan-test-probe@example.vorlan', "
                             u"'vorlan-input-sources@example.vorlan']"_s});
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                     u"example.vorlan.InputSources"_s),
                                 Patience);
    }

    Keys keys_;
};

int main(int argc, char **argv) {
    // As the program itself does.
    vorlan::settlePlatform();
    QApplication app(argc, argv);
    SessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_session.moc"
