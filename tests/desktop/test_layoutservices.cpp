// The input language through a desktop's own switcher, against fakes of
// Plasma's org.kde.keyboard and of the GNOME Shell extension on the
// session's private bus: which layout the desktop ends up with as the pane
// and the activation change and after the program ends, with the desktop's
// answers late, empty, of the wrong type or too long.
#include "gnome/gnomeinputsources.h"
#include "kde/kdelayouts.h"
#include "wayland/sessionkeyboard.h"

#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QTest>
#include <QThread>

#include <deque>

using namespace Qt::StringLiterals;

namespace {

struct KdeLayout { // an entry of getLayoutsList: name, label (the name), long name
    QString name, longName;
    friend QDBusArgument &operator<<(QDBusArgument &out, const KdeLayout &layout) {
        out.beginStructure();
        out << layout.name << layout.name << layout.longName;
        out.endStructure();
        return out;
    }
    friend const QDBusArgument &operator>>(const QDBusArgument &in, KdeLayout &) { return in; }
};

// How the desktop answers. Ill*: that answer is of the wrong type. HugeList:
// a list of 20,000 layouts, 20 MB; four of them kept would fill what the
// program's bus connection takes in (63 MB) and stop it.
enum class Quirk { None, IllRead, IllSwitch, IllList, HugeList };

// The desktop's layouts and what it was asked.
struct Desktop {
    Quirk quirk = Quirk::None;
    QStringList layouts{};
    QString current{}, asked{};                        // asked: reads ("?") and switches, in order
    std::deque<std::pair<QDBusMessage, bool>> queue{}; // requests, whether held
    bool holding = true;                               // reads and switches wait for the test
    qint64 events = 0;                                 // requests come and answered
};

// Both desktops' services on a connection and a thread of their own, so that
// they answer while the program waits at its end. Requests are carried out
// one at a time in the order they came, as by a desktop's event loop.
class FakeDesktop final : public QDBusVirtualObject {
public:
    FakeDesktop() {
        qDBusRegisterMetaType<KdeLayout>();
        qDBusRegisterMetaType<QList<KdeLayout>>();
        moveToThread(&thread_);
        thread_.start();
        EXPECT_TRUE(bus_.registerVirtualObject(u"/Layouts"_s, this) &&
                    bus_.registerVirtualObject(vorlan::gnome::ExtensionPath, this) &&
                    bus_.registerService(u"org.kde.keyboard"_s) &&
                    bus_.registerService(vorlan::gnome::ExtensionService));
    }
    // Lets the `count` oldest requests held through (-1: all), answers those
    // not held in front, and tells the state.
    Desktop serve(
        int count = 0, const std::function<void(Desktop &)> &change = [](Desktop &) {}) {
        const QMutexLocker lock(&mutex_);
        for (auto request = d_.queue.begin(); count != 0 && request != d_.queue.end(); ++request) {
            count -= std::exchange(request->second, false) ? 1 : 0;
        }
        change(d_);
        for (; !d_.queue.empty() && !d_.queue.front().second; d_.queue.pop_front(), ++d_.events) {
            bus_.send(reply(d_.queue.front().first));
        }
        return d_;
    }
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &call, const QDBusConnection &) override {
        if (call.member() == u"Ping") {
            return bus_.send(call.createReply());
        }
        serve(0, [&](Desktop &d) {
            d.queue.emplace_back(call, d.holding && call.member() != u"getLayoutsList");
            ++d.events;
        });
        return true;
    }

    // Runs the program's event loop until it and the desktop are done with
    // what can be done at once (`everything`: with all): until two pings in
    // a row find no request come or answered since the last look, also one
    // that came between two rounds (the second call of a pair).
    // False when the program's bus connection no longer answers.
    bool settle(bool everything) {
        const QDBusMessage ping =
            QDBusMessage::createMethodCall(u"org.kde.keyboard"_s, u"/Layouts"_s, {}, u"Ping"_s);
        for (qint64 quiet = 0, seen = -1; quiet < 2;) {
            serve(everything ? -1 : 0);
            // Answered after every request made before it (a 20 MB list may
            // take seconds under the sanitizers); the program then takes the
            // answers that came before the ping's.
            if (QDBusConnection::sessionBus().call(ping, QDBus::Block, 10000).type() !=
                QDBusMessage::ReplyMessage) {
                return false;
            }
            QCoreApplication::processEvents();
            const qint64 events = serve().events;
            quiet = events == seen ? quiet + 1 : 0;
            seen = events;
        }
        return true;
    }

private:
    QDBusMessage reply(const QDBusMessage &call) {
        const QString method = call.member(), arg = call.arguments().value(0).toString();
        const qsizetype at = d_.layouts.indexOf(d_.current); // -1: an input method
        const QString previous = at < 0 ? u""_s : d_.current;
        if (method == u"getLayoutsList") {
            QList<KdeLayout> list(d_.quirk == Quirk::HugeList ? 20'000 : 0,
                                  {u"us"_s, QString(1000, u'x')});
            for (const QString &name : d_.layouts) {
                list.append({name, name});
            }
            return call.createReply(d_.quirk == Quirk::IllList ? QVariant(d_.layouts)
                                                               : QVariant::fromValue(list));
        }
        const bool read = arg.isNull();
        const QString layout = method == u"setLayout" ? d_.layouts.value(arg.toInt()) : arg;
        const bool made = !read && d_.layouts.contains(layout);
        d_.asked += read ? u" ?"_s : u' ' + layout;
        d_.current = made ? layout : d_.current;
        if (d_.quirk == (read ? Quirk::IllRead : Quirk::IllSwitch)) {
            return call.createReply(int(read ? at : made));
        }
        const QVariantList kde{read ? QVariant(uint(at < 0 ? 99 : at)) : QVariant(made)};
        return call.createReply(method == u"Activate"  ? QVariantList{made, previous}
                                : method == u"Current" ? QVariantList{previous}
                                                       : kde);
    }

    QDBusConnection bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake"_s);
    QMutex mutex_;
    Desktop d_;
    struct Thread : QThread { // ended first: no request is served after the rest is gone
        ~Thread() override { quit(), wait(); }
    } thread_;
};

TEST(SessionKeyboard, FollowsThePaneAndGivesTheUsersLayoutBackAfterTheWindowAndTheRun) {
    // Steps: P/E ask for Persian/English (the window is active), - releases
    // the layout (the window lost the activation), A lets the desktop
    // answer everything, what that brings too, a only its oldest request, 2
    // holds its answers for 2 s. Then the program ends, the desktop answers
    // all, and the user's layout must be current.
    struct Case {
        const char *steps;
        const char *current; // the desktop's layout before the end
        const char *asked;   // what was asked of it, the end's requests included
        Quirk quirk = Quirk::None;
        const char *desktops = "KG"; // Plasma, GNOME
        const char *start = "de";
        const char *layouts = "de us ir"; // the user's
    };
    const Case cases[] = {
        {"EAPA", "ir", "? us ir de"},
        // Released: the user's layout comes back; asked again: the pane's.
        {"PA-APA", "ir", "? ir de ? ir de"},
        // Released before the desktop answered: nothing is changed.
        {"P-A", "de", "?"},
        // Released or ended while the first change is on its way: undone
        // after it. A read answered after 2 s still counts.
        {"Pa-A", "de", "? ir de"},
        {"P2a", "de", "? ir de"},
        {"PA-", "ir", "? ir de de"},
        // Requests while one is in flight only move the target.
        {"PEPEA", "us", "? us de"},
        // Asking for the layout the desktop already has: nothing to give back.
        {"EA-A", "de", "? us de"},
        {"EA-A", "us", "?", Quirk::None, "KG", "us"},
        {"PA-A", "de+nodeadkeys", "? ir de+nodeadkeys", Quirk::None, "G", "de+nodeadkeys",
         "de+nodeadkeys ir"},
        // A layout the user lacks is not added, and asked anew only by the
        // next switch; Plasma's list shows it lacking without a request.
        {"PAEAPA", "us", "? ir us ir de", Quirk::None, "G", "de", "us de"},
        {"PAEAPA", "us", "? us de", Quirk::None, "K", "de", "us de"},
        // The user's source cannot be told (an input method, an answer of
        // the wrong type, no XKB name, no list of layouts): nothing is
        // changed, and each switch reads it anew.
        {"PAEA-A", "mozc", "? ?", Quirk::None, "KG", "mozc"},
        {"PAEA-A", "de", "? ?", Quirk::IllRead},
        {"PA", "us,ir", "?", Quirk::None, "G", "us,ir", "us,ir ir"},
        {"PA", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "?", Quirk::None, "G",
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa ir"},
        {"PA", "de", "", Quirk::IllList, "K"},
        // A switch answered with the wrong type may have been made: undone.
        {"PA-APA", "ir", "? ir de ? ir de", Quirk::IllSwitch},
        // Lists too long are refused, and what they held is freed: the
        // program's bus connection still answers.
        {"PPPPP", "de", "", Quirk::HugeList, "K"},
    };
    FakeDesktop desktop;
    for (const Case &c : cases) {
        for (const char *d = c.desktops; *d != '\0'; ++d) {
            const auto name = std::string(d, 1) + " " + c.steps;
            desktop.serve(0, [&](Desktop &state) {
                state = {c.quirk, QString::fromLatin1(c.layouts).split(u' '),
                         QString::fromLatin1(c.start)};
            });
            auto keyboard = std::make_unique<vorlan::SessionKeyboard>(
                *d == 'K' ? std::unique_ptr<vorlan::LayoutSwitcher>(new vorlan::kde::KdeLayouts)
                          : std::make_unique<vorlan::gnome::GnomeInputSources>());
            for (const char *step = c.steps; *step != '\0'; ++step) {
                if (*step == 'a' || *step == '2') {
                    *step == 'a' ? void(desktop.serve(1)) : QTest::qWait(2000);
                } else if (*step == '-') {
                    keyboard->releaseLayout();
                } else if (*step != 'A') {
                    keyboard->loadKeyboardLayout(*step == 'P' ? u"00000429"_s : u"00000409"_s);
                }
                ASSERT_TRUE(desktop.settle(*step == 'A')) << name << ": the bus is stuck";
            }
            EXPECT_EQ(desktop.serve().current.toStdString(), c.current) << name;
            // The requests of the end wait only behind those still held.
            desktop.serve(0, [](Desktop &state) { state.holding = false; });
            keyboard.reset();
            ASSERT_TRUE(desktop.settle(true)) << name << ": the bus is stuck";
            EXPECT_EQ(desktop.serve().asked.trimmed().toStdString(), c.asked) << name;
            EXPECT_EQ(desktop.serve().current.toStdString(), c.start) << name;
        }
    }
}

} // namespace
