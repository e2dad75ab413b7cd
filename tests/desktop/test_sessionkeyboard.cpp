// The input language through a desktop's own switcher (Plasma, GNOME Shell):
// which layout the desktop ends up with as the pane and the activation
// change, with the desktop's answers late, refused or missing.
#include "gnome/gnomeinputsources.h"
#include "kde/kdelayouts.h"
#include "platformchoice.h"
#include "wayland/sessionkeyboard.h"

#include <gtest/gtest.h>

#include <QDBusMessage>

#include <deque>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A desktop with the user's layouts and a current one, answering only when
// the test says so; one that does not answer fails every call. A current
// source that is none of the layouts is an input method: it cannot be read.
struct FakeDesktop {
    QStringList layouts{u"de"_s, u"us"_s, u"ir"_s};
    QString current = u"de"_s;
    bool answers = true;
    QStringList asked; // every request, in order; "?" reads the current layout
    QStringList activatedNow;
    struct Request {
        QString layout; // empty for a read
        vorlan::LayoutSwitcher::Current read;
        vorlan::LayoutSwitcher::Done done;
    };
    std::deque<Request> pending;

    bool carryOut(const QString &layout) {
        const bool ok = answers && layouts.contains(layout);
        if (ok) {
            current = layout;
        }
        return ok;
    }
    // Answers the oldest requests, also those asked meanwhile.
    void answer(int count = -1) {
        for (; count != 0 && !pending.empty(); --count) {
            const Request request = std::move(pending.front());
            pending.pop_front();
            if (request.read) {
                request.read(answers && layouts.contains(current) ? current : QString());
            } else {
                request.done(carryOut(request.layout));
            }
        }
    }
    // Requests sent are carried out, in order, even after the program is gone.
    void settle() {
        for (const Request &request : std::exchange(pending, {})) {
            if (!request.read) {
                carryOut(request.layout);
            }
        }
    }
};

struct FakeSwitcher final : vorlan::LayoutSwitcher {
    FakeDesktop &desktop;
    explicit FakeSwitcher(FakeDesktop &d) : desktop(d) {}
    void current(Current done) override {
        desktop.asked.append(u"?"_s);
        desktop.pending.push_back({{}, std::move(done), {}});
    }
    void activate(const QString &layout, Done done) override {
        desktop.asked.append(layout);
        desktop.pending.push_back({layout, {}, std::move(done)});
    }
    void activateNow(const QString &layout) override {
        desktop.activatedNow.append(layout);
        desktop.settle();
        desktop.carryOut(layout);
    }
    bool mayHave(const QString &) const override { return true; }
};

struct Keyboard {
    FakeDesktop desktop;
    std::unique_ptr<vorlan::SessionKeyboard> keyboard =
        std::make_unique<vorlan::SessionKeyboard>(std::make_unique<FakeSwitcher>(desktop));
};

// Steps of a session: P/E ask for Persian/English (the window is active), -
// releases the layout (the window lost the activation), A lets the desktop
// answer everything asked so far, a only the oldest request.
void run(Keyboard &k, const char *steps) {
    for (const char *c = steps; *c != '\0'; ++c) {
        if (*c == 'A' || *c == 'a') {
            k.desktop.answer(*c == 'A' ? -1 : 1);
        } else if (*c == '-') {
            k.keyboard->releaseLayout();
        } else {
            k.keyboard->loadKeyboardLayout(*c == 'P' ? u"00000429"_s : u"00000409"_s);
        }
    }
}

TEST(SessionKeyboard, FollowsThePaneWhileHeldAndGivesTheUsersLayoutBack) {
    struct Case {
        const char *steps;
        QString current;   // the desktop's layout afterwards
        QStringList asked; // what was asked of it, in order
        QStringList atEnd; // asked of it as the run ends
        QString start = u"de"_s;
        QStringList layouts{u"de"_s, u"us"_s, u"ir"_s}; // the user's
    };
    const Case cases[] = {
        {"EA", u"us"_s, {u"?"_s, u"us"_s}, {u"de"_s}},
        {"EAPA", u"ir"_s, {u"?"_s, u"us"_s, u"ir"_s}, {u"de"_s}},
        // Released: the user's layout comes back; asked again: the pane's.
        {"PA-A", u"de"_s, {u"?"_s, u"ir"_s, u"de"_s}, {}},
        {"PA-APA", u"ir"_s, {u"?"_s, u"ir"_s, u"de"_s, u"?"_s, u"ir"_s}, {u"de"_s}},
        // Released before the desktop answered: nothing is changed.
        {"P-A", u"de"_s, {u"?"_s}, {}},
        // Never answered: nothing was changed.
        {"P", u"de"_s, {u"?"_s}, {}},
        // The run ends while a change is on its way: it is undone after it.
        {"Pa", u"de"_s, {u"?"_s, u"ir"_s}, {u"de"_s}},
        {"PA-", u"ir"_s, {u"?"_s, u"ir"_s, u"de"_s}, {u"de"_s}},
        // Requests while one is in flight only move the target.
        {"PEPEA", u"us"_s, {u"?"_s, u"us"_s}, {u"de"_s}},
        {"P-P-A", u"de"_s, {u"?"_s}, {}},
        // Asking for the layout the desktop already has: nothing to give back.
        {"EA-A", u"de"_s, {u"?"_s, u"us"_s, u"de"_s}, {}},
        {"-A", u"de"_s, {}, {}},
        // A user already in the layout is left alone.
        {"EA-A", u"us"_s, {u"?"_s}, {}, u"us"_s},
        // A layout the user lacks is not added, and asked anew only by the next switch.
        {"PA", u"de"_s, {u"?"_s, u"ir"_s}, {}, u"de"_s, {u"us"_s, u"de"_s}},
        {"PAEAPA",
         u"us"_s,
         {u"?"_s, u"ir"_s, u"us"_s, u"ir"_s},
         {u"de"_s},
         u"de"_s,
         {u"us"_s, u"de"_s}},
        // The user's source cannot be told (an input method, an answer of the
        // wrong type): nothing is changed, and each switch reads it anew.
        {"PAEA-A", u"mozc"_s, {u"?"_s, u"?"_s}, {}, u"mozc"_s},
    };
    for (const Case &c : cases) {
        Keyboard k;
        k.desktop.current = c.start;
        k.desktop.layouts = c.layouts;
        run(k, c.steps);
        EXPECT_EQ(k.desktop.current, c.current) << c.steps;
        EXPECT_EQ(k.desktop.asked, c.asked) << c.steps;
        // Every answer taken, unless the desktop has not answered yet.
        EXPECT_EQ(k.desktop.pending.empty(), QByteArray(c.steps).endsWith('A')) << c.steps;
        k.keyboard.reset();
        EXPECT_EQ(k.desktop.activatedNow, c.atEnd) << c.steps;
        // Whatever was on its way, the user has their layout after the run.
        k.desktop.settle();
        EXPECT_EQ(k.desktop.current, c.start) << c.steps;
    }
}

// Identifiers other than the two ask nothing; a silent desktop changes
// nothing and blocks nothing; the chord could reach only X clients, never
// the compositor, so none goes.
TEST(SessionKeyboard, WhatCannotBeDoneChangesNothing) {
    Keyboard k;
    for (const QString &id : {u""_s, u"00000407"_s, u"ir"_s, u"0000042"_s}) {
        EXPECT_FALSE(k.keyboard->loadKeyboardLayout(id)) << id.toStdString();
    }
    EXPECT_TRUE(k.desktop.asked.isEmpty());
    k.desktop.answers = false;
    run(k, "PAEA-A");
    EXPECT_EQ(k.desktop.current, u"de"_s);
    std::optional<bool> sent;
    k.keyboard->sendCtrlShift([&](bool ok) { sent = ok; });
    EXPECT_EQ(sent, std::optional<bool>(false));
}

TEST(KdeLayouts, OnlyAReplyOfTheRightShapeGivesNames) {
    // The right shape is read from a real Plasma in the KDE session tests.
    const auto reply = [](const QVariant &value) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(u"a.b"_s, u"/"_s, u"a.b"_s, u"getLayoutsList"_s);
        return call.createReply(value);
    };
    EXPECT_FALSE(vorlan::kde::layoutNames(reply(QVariant(u"us"_s))));
    EXPECT_FALSE(vorlan::kde::layoutNames(reply(QVariant(QStringList{u"us"_s, u"ir"_s}))));
    EXPECT_FALSE(vorlan::kde::layoutNames(QDBusMessage::createError(u"a.Error"_s, u"no"_s)));
    EXPECT_FALSE(vorlan::kde::layoutNames(QDBusMessage()));
}

TEST(GnomeInputSources, OnlyPlausibleXkbIdsAreGivenBack) {
    const std::pair<QString, QString> cases[] = {
        {u"us"_s, u"us"_s},
        {u"de+nodeadkeys"_s, u"de+nodeadkeys"_s},
        {u"ir+pes_keypad"_s, u"ir+pes_keypad"_s},
        {u""_s, u""_s},
        {u"us,ir"_s, u""_s},
        {u"../../etc"_s, u""_s},
        {u"us\n"_s, u""_s},
        {QString(200, u'a'), u""_s},
        {u"mozc-jp"_s, u"mozc-jp"_s},
    };
    for (const auto &[id, given] : cases) {
        EXPECT_EQ(vorlan::gnome::plausibleXkbId(id), given) << id.toStdString();
    }
}

TEST(KeyboardChoice, TheDesktopsOwnServiceOnWaylandXkbOnlyOnARealXServer) {
    using enum vorlan::KeyboardKind;
    // Qt's platform, an X connection, WAYLAND_DISPLAY, XDG_CURRENT_DESKTOP.
    const std::tuple<const char *, bool, QByteArray, QByteArray, vorlan::KeyboardKind> cases[] = {
        {"xcb", true, "", "", Xkb},
        {"xcb", true, "", "KDE", Xkb}, // Plasma on X11
        {"xcb", false, "", "", None},
        {"offscreen", false, "", "GNOME", None},
        {"xcb", true, "wayland-0", "KDE", Kde},
        {"wayland", false, "wayland-0", "KDE", Kde},
        {"xcb", true, "wayland-0", "GNOME", Gnome},
        {"xcb", true, "wayland-0", "ubuntu:GNOME", Gnome},
        {"wayland", false, "wayland-0", "GNOME", Gnome},
        {"xcb", true, "wayland-0", "sway", None}, // XWayland alone: never XKB
        {"xcb", true, "wayland-0", "", None},
        {"xcb", true, "wayland-0", "GNOME-Flashback:KDEish", None},
    };
    for (const auto &[platform, x, wayland, desktop, kind] : cases) {
        EXPECT_EQ(vorlan::chooseKeyboard(QString::fromLatin1(platform), x, wayland, desktop), kind)
            << platform << " " << wayland.constData() << " " << desktop.constData();
    }
}

// The Qt platform asked for: xcb where an X display answers, else Wayland
// where one does, unless the user chose; only the displays that matter are
// opened, and with none that answers the line says why.
TEST(PlatformChoice, XcbWhereXAnswersElseWaylandElseWhyNeither) {
    using enum vorlan::Opened;
    // QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY; how X and Wayland opened
    // (NotTried: not to be opened); the platform, or part of the line.
    using Case = std::tuple<vorlan::SessionEnvironment, vorlan::Opened, vorlan::Opened, QString>;
    const Case cases[] = {
        {{"", ":0", ""}, Answers, NotTried, "xcb"},
        {{"", ":1", "wayland-0"}, Answers, Silent, "xcb"}, // XWayland
        {{"", ":1", "wayland-0"}, Silent, Answers, "wayland"},
        {{"", "", "/run/w"}, NotTried, Answers, "wayland"},
        {{"", ":7", ""}, Refused, NotTried, "(no X server accepts connections at DISPLAY=:7)"},
        {{"", ":7", ""}, Silent, NotTried, "at DISPLAY=:7 does not answer within 2 s)"},
        {{"", ":7.3", ""}, BadName, NotTried, "(DISPLAY=:7.3 does not name a screen of an X"},
        {{"", "", ""}, NotTried, NotTried, "(DISPLAY is not set)"},
        {{"", ":7", "w"}, Refused, Silent, "DISPLAY=:7; the compositor at WAYLAND_DISPLAY=w does"},
        {{"", "", "w"}, NotTried, Refused, "(DISPLAY is not set; no compositor accepts"},
        {{"wayland", ":1", ""}, NotTried, Answers, ""},
        {{"wayland:nogl", "", ""}, NotTried, Refused, "connections at WAYLAND_DISPLAY=wayland-0)"},
        {{"xcb", ":1", "w"}, Answers, NotTried, ""},
        {{"xcb", ":1", "w"}, Refused, NotTried, "(no X server accepts connections at DISPLAY=:1)"},
        {{"xcb", "", "w"}, NotTried, NotTried, "(DISPLAY is not set)"},
        {{"offscreen", ":1", "w"}, NotTried, NotTried, ""},
    };
    for (const auto &[environment, x, wayland, expected] : cases) {
        const vorlan::DisplaysToOpen open = vorlan::displaysToOpen(environment);
        const vorlan::PlatformChoice choice = vorlan::choosePlatform(environment, x, wayland);
        const QString got = QString::fromLatin1(choice.platform) + choice.missing;
        EXPECT_EQ(std::pair(open.x, open.wayland), std::pair(x != NotTried, wayland != NotTried))
            << expected.toStdString();
        EXPECT_TRUE(expected.contains(u' ') ? got.contains(expected) : got == expected)
            << got.toStdString();
    }
}

} // namespace
