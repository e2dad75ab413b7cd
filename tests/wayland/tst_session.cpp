// The program in a real Wayland session, GNOME Shell or KWin, each started
// headless by scripts/with-gnome.sh or scripts/with-kde.sh: it runs through
// XWayland, and the keyboard layout follows the pane through the desktop's
// own service, with keys typed through the compositor as a keyboard would.
#include "platformchoice.h"
#include "services.h"
#include "uifixture.h"
#include "wayland/sessionkeyboard.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int Patience = 20000; // ms for the compositor, XWayland and a loaded machine

// Linux evdev key codes.
constexpr uint KeyEsc = 1;
constexpr uint KeyA = 30;
constexpr uint KeyH = 35;
constexpr uint KeyL = 38;
constexpr uint KeyLeftShift = 42;

bool isKde() {
    return qgetenv("XDG_CURRENT_DESKTOP") == "KDE";
}

// Keys through the compositor: KWin's fake input, or Mutter's remote desktop.
class Keys {
public:
    bool open() {
        if (isKde()) {
            return true;
        }
        QDBusMessage create = QDBusMessage::createMethodCall(
            u"org.gnome.Mutter.RemoteDesktop"_s, u"/org/gnome/Mutter/RemoteDesktop"_s,
            u"org.gnome.Mutter.RemoteDesktop"_s, u"CreateSession"_s);
        const QDBusMessage reply =
            QDBusConnection::sessionBus().call(create, QDBus::Block, Patience);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            qWarning() << reply.errorMessage();
            return false;
        }
        session_ = reply.arguments().value(0).value<QDBusObjectPath>().path();
        return sessionCall(u"Start"_s, {});
    }

    // Each code pressed and released; "+" before a code only presses, "-" only releases.
    bool type(const QStringList &codes) {
        if (isKde()) {
            QProcess helper;
            helper.start(QStringLiteral(VORLAN_KWIN_KEYS), codes);
            return helper.waitForFinished(Patience) &&
                   helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0;
        }
        for (const QString &code : codes) {
            const bool pressOnly = code.startsWith(u'+');
            const bool releaseOnly = code.startsWith(u'-');
            const uint key = code.mid(pressOnly || releaseOnly ? 1 : 0).toUInt();
            if ((!releaseOnly && !sessionCall(u"NotifyKeyboardKeycode"_s, {key, true})) ||
                (!pressOnly && !sessionCall(u"NotifyKeyboardKeycode"_s, {key, false}))) {
                return false;
            }
        }
        return true;
    }

private:
    bool sessionCall(const QString &method, const QVariantList &arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(u"org.gnome.Mutter.RemoteDesktop"_s, session_,
                                           u"org.gnome.Mutter.RemoteDesktop.Session"_s, method);
        call.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, Patience);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            qWarning() << method << reply.errorMessage();
        }
        return reply.type() == QDBusMessage::ReplyMessage;
    }

    QString session_;
};

QStringList codes(std::initializer_list<uint> keys) {
    QStringList list;
    for (uint key : keys) {
        list.append(QString::number(key));
    }
    return list;
}

QString run(const QString &program, const QStringList &arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(Patience);
    return QString::fromUtf8(p.readAllStandardOutput());
}

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

// Ended by SIGTERM: true when it exits cleanly.
bool endProgram(QProcess &program) {
    program.terminate();
    return program.waitForFinished(Patience) && program.exitStatus() == QProcess::NormalExit &&
           program.exitCode() == 0;
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

// What the compositor shows: windows bottom to top and the focused one,
// from KWin through a script, from GNOME Shell through the test probe
// extension.
struct Shown {
    QStringList stacking;
    QString focus;
};

class KwinReport : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "example.vorlan.SessionTest")
public:
    std::optional<Shown> shown;
public slots:
    Q_SCRIPTABLE void report(const QString &stacking, const QString &focus) {
        shown = Shown{stacking.split(u'\n'), focus};
    }
};

std::optional<Shown> readShown() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (isKde()) {
        static KwinReport receiver;
        static const bool registered =
            bus.registerObject(u"/"_s, &receiver, QDBusConnection::ExportScriptableSlots) &&
            bus.registerService(u"example.vorlan.SessionTest"_s);
        if (!registered) {
            return std::nullopt;
        }
        receiver.shown.reset();
        const auto scripting = [&](const QString &method, const QVariantList &arguments) {
            QDBusMessage call = QDBusMessage::createMethodCall(u"org.kde.KWin"_s, u"/Scripting"_s,
                                                               u"org.kde.kwin.Scripting"_s, method);
            call.setArguments(arguments);
            return bus.call(call, QDBus::Block, Patience);
        };
        const QString name = u"vorlan-probe"_s;
        scripting(u"unloadScript"_s, {name});
        scripting(u"loadScript"_s, {QStringLiteral(VORLAN_KWIN_PROBE), name});
        scripting(u"start"_s, {});
        if (!QTest::qWaitFor([&] { return receiver.shown.has_value(); }, Patience)) {
            return std::nullopt;
        }
        return receiver.shown;
    }
    const auto probe = [&](const QString &method) {
        return bus.call(QDBusMessage::createMethodCall(u"example.vorlan.TestProbe"_s,
                                                       u"/example/vorlan/TestProbe"_s,
                                                       u"example.vorlan.TestProbe"_s, method),
                        QDBus::Block, Patience);
    };
    const QDBusMessage stacking = probe(u"Stacking"_s);
    const QDBusMessage focus = probe(u"Focus"_s);
    if (stacking.type() != QDBusMessage::ReplyMessage ||
        focus.type() != QDBusMessage::ReplyMessage) {
        return std::nullopt;
    }
    return Shown{stacking.arguments().value(0).toStringList(),
                 focus.arguments().value(0).toString()};
}

// Whether the compositor shows window `upper` above window `lower`, while
// `focused` has the focus.
bool shownAbove(const QString &upper, const QString &lower, const QString &focused) {
    const std::optional<Shown> shown = readShown();
    if (!shown) {
        return false;
    }
    const auto up = shown->stacking.indexOf(upper);
    const auto low = shown->stacking.indexOf(lower);
    return up >= 0 && low >= 0 && up > low && shown->focus == focused;
}

// The keys a widget receives.
struct KeyRecorder : QObject {
    explicit KeyRecorder(QWidget *watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            presses.append(static_cast<QKeyEvent *>(event)->key());
        }
        return false;
    }
    QList<int> presses;
};

QString waylandPlugin() {
    return QLibraryInfo::path(QLibraryInfo::PluginsPath) + u"/platforms/libqwayland-generic.so"_s;
}

// The desktop's current layout, as it reports it itself.
QString currentLayout() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (isKde()) {
        const QDBusMessage reply =
            bus.call(QDBusMessage::createMethodCall(u"org.kde.keyboard"_s, u"/Layouts"_s,
                                                    u"org.kde.KeyboardLayouts"_s, u"getLayout"_s),
                     QDBus::Block, Patience);
        return kdeLayouts().value(reply.arguments().value(0).toInt());
    }
    const QDBusMessage reply =
        bus.call(QDBusMessage::createMethodCall(u"example.vorlan.TestProbe"_s,
                                                u"/example/vorlan/TestProbe"_s,
                                                u"example.vorlan.TestProbe"_s, u"InputSource"_s),
                 QDBus::Block, Patience);
    return reply.arguments().value(0).toString();
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("WAYLAND_DISPLAY"),
                 "needs scripts/with-gnome.sh or scripts/with-kde.sh");
        QVERIFY(keys_.open());
    }

    // A session without XWayland runs the native cases, one with it the
    // rest; two cases are GNOME's own.
    void init() {
        const QByteArray name = QTest::currentTestFunction();
        const bool native = !qEnvironmentVariableIsSet("DISPLAY");
        if (name == "runsNativelyWithoutXWayland" ? !native
                                                  : native && name != "theLayoutFollowsThePane") {
            QSKIP("not for this session");
        }
        if (isKde() && (name == "waylandClipboardReachesThePane" ||
                        name == "theExtensionActivatesOnlyTheUsersSources")) {
            QSKIP("GNOME only");
        }
    }

    // With the Wayland platform plugin installed, Qt would prefer it; the
    // program asks for xcb while XWayland answers, and shows its window there.
    void runsThroughXWayland() {
        QVERIFY(qEnvironmentVariableIsSet("DISPLAY"));
        QVERIFY2(QFile::exists(waylandPlugin()), "qt6-wayland is not installed");
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);

        QProcess program;
        QVERIFY(startProgram(program));
        const QString tree = run(u"xwininfo"_s, {u"-root"_s, u"-tree"_s});
        QVERIFY2(tree.contains(u"\"vorlan\" \"vorlan\""_s), qPrintable(tree));
        QVERIFY(endProgram(program));
    }

    // A Wayland session without XWayland: natively; the pin does nothing,
    // and the program starts and ends as anywhere.
    void runsNativelyWithoutXWayland() {
        QVERIFY(!qEnvironmentVariableIsSet("DISPLAY"));
        QVERIFY2(QFile::exists(waylandPlugin()), "qt6-wayland is not installed");
        QCOMPARE(QGuiApplication::platformName(), u"wayland"_s);
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        QVERIFY(!services->stacking().setTopmost(qint64(h.window().winId()), true));
        QTest::mouseClick(h.widget("picNormal"), Qt::LeftButton);
        QVERIFY(!h.widget("picTop")->isHidden());

        QProcess program;
        QVERIFY(startProgram(program));
        QVERIFY(endProgram(program));
    }

    // GNOME before the user enables the extension, KDE without Persian among
    // the user's layouts: the pane switches, the layout and the user's
    // configuration stay as they are.
    void withoutTheDesktopsHelpTheLayoutStays() {
        const QString kxkbrc = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/kxkbrc"_s;
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
            if (isKde()) {
                QFile file(kxkbrc);
                return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                      : QString();
            }
            return run(u"gsettings"_s,
                       {u"get"_s, u"org.gnome.desktop.input-sources"_s, u"sources"_s});
        };
        const QString before = config();
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        waitForTheKeyboard(h);

        QVERIFY(keys_.type(codes({KeyEsc})));
        QTRY_VERIFY_WITH_TIMEOUT(!h.englishShown(), Patience);
        QVERIFY(keys_.type(codes({KeyH, KeyA, KeyL})));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"hal"_s, Patience);
        // Known by now: asked again, the answer is no at once.
        QTRY_VERIFY_WITH_TIMEOUT(!services->keyboard().loadKeyboardLayout(u"00000429"_s), Patience);
        QCOMPARE(config(), before);
        if (isKde()) {
            QCOMPARE(kdeLayouts(), (QStringList{u"us"_s, u"de"_s}));
            configureKde(u"us,ir"_s);
        }
    }

    // Esc, then keys typed as a keyboard would: Persian letters; Shift+h the
    // alef with madda; Esc back, Latin letters.
    void theLayoutFollowsThePane() {
        enableHelp();
        const auto services = vorlan::createPlatformServices();
        auto *keyboard = dynamic_cast<vorlan::SessionKeyboard *>(&services->keyboard());
        QVERIFY(keyboard != nullptr);
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        waitForTheKeyboard(h);
        QTRY_COMPARE_WITH_TIMEOUT(keyboard->applied(), u"us"_s, Patience);

        KeyRecorder recorder(h.find<QLineEdit>("txtFaSearch"));
        QVERIFY(keys_.type(codes({KeyEsc})));
        QTRY_VERIFY_WITH_TIMEOUT(!h.englishShown(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(keyboard->applied(), u"ir"_s, Patience);
        QVERIFY(keys_.type(codes({KeyH, KeyA, KeyL})));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"\u0627\u0634\u0645"_s,
                                  Patience);
        // No Ctrl+Shift chord: here it would reach only XWayland, not the
        // compositor, and only confuse the box.
        QCOMPARE(recorder.presses.size(), 3);
        QVERIFY(!recorder.presses.contains(Qt::Key_Control) &&
                !recorder.presses.contains(Qt::Key_Shift));
        QVERIFY(keys_.type({u"+42"_s, QString::number(KeyH), u"-42"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(),
                                  u"\u0627\u0634\u0645\u0622"_s, Patience);

        QVERIFY(keys_.type(codes({KeyEsc})));
        QTRY_VERIFY_WITH_TIMEOUT(h.englishShown(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(keyboard->applied(), u"us"_s, Patience);
        QVERIFY(keys_.type(codes({KeyH, KeyA, KeyL})));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtEnSearch")->text(), u"hal"_s, Patience);
    }

    // The program ended by SIGTERM in its Persian pane leaves the user's
    // layout behind, not its own.
    void theUsersLayoutComesBackAtTheEnd() {
        enableHelp();
        QCOMPARE(currentLayout(), u"us"_s);
        QProcess program;
        QVERIFY(startProgram(program));
        // Esc until the program's window has the keyboard and shows Persian.
        for (int attempt = 0; attempt < 10 && currentLayout() != u"ir"; ++attempt) {
            QVERIFY(keys_.type(codes({KeyEsc})));
            if (QTest::qWaitFor([] { return currentLayout() == u"ir"; }, 3000)) {
                break;
            }
            // Reached it after all, in the English pane: once more brings Persian.
        }
        QCOMPARE(currentLayout(), u"ir"_s);
        QVERIFY(endProgram(program));
        QCOMPARE(currentLayout(), u"us"_s);
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
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        waitForTheKeyboard(h);
        QVERIFY(keys_.type(codes({KeyEsc})));
        QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), isKde() ? u"ir"_s : u"ir+pes_keypad"_s,
                                  Patience);
        QVERIFY(keys_.type(codes({KeyH})));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"\u0627"_s, Patience);
        if (isKde()) {
            QCOMPARE(kdeLayouts(), (QStringList{u"us"_s, u"ir"_s}));
            configureKde(u"us,de"_s);
            configureKde(u"us,ir"_s);
        } else {
            setGnomeSources(u"[('xkb', 'us'), ('xkb', 'ir')]"_s);
        }
    }

    // The extension's one method activates only a source the user has, and
    // answers anything else with false, changing nothing.
    void theExtensionActivatesOnlyTheUsersSources() {
        QVERIFY(!isKde());
        enableHelp();
        const auto activate = [](const QString &id) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                u"example.vorlan.InputSources"_s, u"/example/vorlan/InputSources"_s,
                u"example.vorlan.InputSources"_s, u"Activate"_s);
            call << id;
            return QDBusConnection::sessionBus().call(call, QDBus::Block, Patience);
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
            if (activated) {
                current = id;
            }
            QTRY_COMPARE_WITH_TIMEOUT(currentLayout(), current, Patience);
        }
        // A call of the wrong shape is the bus's to refuse.
        QDBusMessage wrong = QDBusMessage::createMethodCall(
            u"example.vorlan.InputSources"_s, u"/example/vorlan/InputSources"_s,
            u"example.vorlan.InputSources"_s, u"Activate"_s);
        wrong << 42;
        QCOMPARE(QDBusConnection::sessionBus().call(wrong, QDBus::Block, Patience).type(),
                 QDBusMessage::ErrorMessage);
        QCOMPARE(currentLayout(), u"us"_s);
    }

    // Another program focused while the Persian pane is shown types in the
    // user's layout; back in the dictionary, Persian again.
    void otherProgramsKeepTheUsersLayout() {
        enableHelp();
        const auto services = vorlan::createPlatformServices();
        auto *keyboard = dynamic_cast<vorlan::SessionKeyboard *>(&services->keyboard());
        QVERIFY(keyboard != nullptr);
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        waitForTheKeyboard(h);
        QVERIFY(keys_.type(codes({KeyEsc})));
        QTRY_COMPARE_WITH_TIMEOUT(keyboard->applied(), u"ir"_s, Patience);

        QProcess other;
        other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        other.start(QStringLiteral(VORLAN_WAYLAND_WINDOW), {u"other program"_s});
        QByteArray typed;
        QTRY_VERIFY_WITH_TIMEOUT((typed += other.readAllStandardOutput()).contains("shown"),
                                 Patience);
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::applicationState() != Qt::ApplicationActive,
                                 Patience);
        QTRY_VERIFY_WITH_TIMEOUT(keyboard->applied().isEmpty(), Patience);
        QVERIFY(keys_.type(codes({KeyH, KeyA, KeyL})));
        QTRY_VERIFY_WITH_TIMEOUT((typed += other.readAllStandardOutput()).contains("text: hal\n"),
                                 Patience);

        other.terminate();
        QVERIFY(other.waitForFinished(Patience));
        h.window().activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(keyboard->applied(), u"ir"_s, Patience);
        QVERIFY(keys_.type(codes({KeyH})));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtFaSearch")->text(), u"\u0627"_s, Patience);
    }

    // Pinned, the window stays above a native Wayland window that has the
    // focus; unpinned, that window comes above it.
    void pinKeepsTheWindowAboveAFocusedWaylandWindow() {
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        const QString ours = h.window().windowTitle();
        const QString other = u"other program"_s;

        QProcess wayland;
        wayland.start(QStringLiteral(VORLAN_WAYLAND_WINDOW), {other});
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += wayland.readAllStandardOutput()).contains("shown"),
                                 Patience);
        // Unpinned, the focused newcomer covers the dictionary.
        QTRY_VERIFY_WITH_TIMEOUT(shownAbove(other, ours, other), Patience);

        QTest::mouseClick(h.widget("picNormal"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(shownAbove(ours, other, other), Patience);

        QTest::mouseClick(h.widget("picTop"), Qt::LeftButton);
        wayland.terminate();
        QVERIFY(wayland.waitForFinished(Patience));
    }

    // With the watcher on, a word copied by wl-copy while a native Wayland
    // window has the focus is looked up (GNOME; KWin keeps Wayland sources
    // from X programs unless an X window is active).
    void waylandClipboardReachesThePane() {
        clipboardReachesThePane(u"wl-copy"_s, {u"--foreground"_s, u"--type"_s,
                                               u"text/plain;charset=utf-8"_s, u"  apple pie"_s});
    }

    // The same with a word copied by an X program (both desktops).
    void xClipboardReachesThePane() {
        clipboardReachesThePane(u"sh"_s, {u"-c"_s, u"printf '  apple pie' | xclip -quiet "
                                                   u"-selection clipboard -t UTF8_STRING"_s});
    }

private:
    // Copies with the given command while a native Wayland window has the
    // focus; the dictionary, in its Persian pane with the watcher on, must
    // show the word in its English pane.
    void clipboardReachesThePane(const QString &program, const QStringList &arguments) {
        const auto services = vorlan::createPlatformServices();
        vorlan::testing::WindowHarness h(vorlan::testing::smallDictionary(), services.get());
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        QTest::mouseClick(h.widget("chkClip"), Qt::LeftButton);
        h.window().cmdLan_Click();
        QVERIFY(!h.englishShown());

        QProcess wayland;
        wayland.start(QStringLiteral(VORLAN_WAYLAND_WINDOW), {u"other program"_s});
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += wayland.readAllStandardOutput()).contains("shown"),
                                 Patience);
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::applicationState() != Qt::ApplicationActive,
                                 Patience);

        QProcess copy;
        copy.start(program, arguments);
        QVERIFY(copy.waitForStarted(Patience));
        QTRY_COMPARE_WITH_TIMEOUT(h.find<QLineEdit>("txtEnSearch")->text(), u"apple"_s, Patience);
        QVERIFY(h.englishShown());

        copy.terminate();
        wayland.terminate();
        QVERIFY(copy.waitForFinished(Patience) && wayland.waitForFinished(Patience));
    }

    // The compositor may hand its keyboard focus to XWayland's window a
    // moment after X calls it active, and a new remote-desktop session may
    // drop its first keys: L is typed until one arrives.
    void waitForTheKeyboard(vorlan::testing::WindowHarness &h) {
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &h.window(), Patience);
        auto *box = h.find<QLineEdit>("txtEnSearch");
        QVERIFY(h.englishShown() && box->hasFocus());
        for (int attempt = 0; attempt < 20 && box->text().isEmpty(); ++attempt) {
            QVERIFY(keys_.type(codes({KeyL})));
            if (QTest::qWaitFor([&] { return !box->text().isEmpty(); }, 1000)) {
                break;
            }
        }
        QVERIFY(box->text().startsWith(u'l'));
        box->clear();
    }

    void setGnomeSources(const QString &sources) {
        run(u"gsettings"_s,
            {u"set"_s, u"org.gnome.desktop.input-sources"_s, u"sources"_s, sources});
        QCOMPARE(run(u"gsettings"_s, {u"get"_s, u"org.gnome.desktop.input-sources"_s, u"sources"_s})
                     .trimmed(),
                 sources);
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
    vorlan::preferXcbWhereReachable();
    QApplication app(argc, argv);
    SessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_session.moc"
