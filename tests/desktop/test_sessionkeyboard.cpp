// The input language through a desktop's own switcher (Plasma, GNOME Shell):
// which layout the desktop ends up with as the pane and the activation
// change, with the desktop's answers late, refused or missing.
#include "gnome/gnomeinputsources.h"
#include "kde/kdelayouts.h"
#include "platformchoice.h"
#include "wayland/sessionkeyboard.h"

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>

#include <deque>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A desktop with a list of layouts and a current one, answering only when
// the test says so.
struct FakeDesktop {
    QStringList layouts{u"de"_s, u"us"_s, u"ir"_s};
    QString current = u"de"_s;
    bool answers = true; // false: every call fails, as a missing service
    QStringList asked;   // every activate, in order
    std::deque<std::function<void()>> pending;
    QStringList activatedNow;

    void answerAll() {
        while (!pending.empty()) {
            auto next = std::move(pending.front());
            pending.pop_front();
            next();
        }
    }
};

class FakeSwitcher final : public vorlan::LayoutSwitcher {
public:
    explicit FakeSwitcher(FakeDesktop &desktop) : desktop_(desktop) {}
    void activate(const QString &layout, Done done) override {
        desktop_.asked.append(layout);
        desktop_.pending.push_back([this, layout, done] {
            if (!desktop_.answers || !desktop_.layouts.contains(layout)) {
                done(false, {});
                return;
            }
            const QString previous = desktop_.current;
            desktop_.current = layout;
            done(true, previous);
        });
    }
    void activateNow(const QString &layout) override {
        desktop_.activatedNow.append(layout);
        if (desktop_.layouts.contains(layout)) {
            desktop_.current = layout;
        }
    }
    bool mayHave(const QString &) const override { return true; }

private:
    FakeDesktop &desktop_;
};

struct Keyboard {
    FakeDesktop desktop;
    std::unique_ptr<vorlan::SessionKeyboard> keyboard =
        std::make_unique<vorlan::SessionKeyboard>(std::make_unique<FakeSwitcher>(desktop));
};

const QString Persian = u"00000429"_s;
const QString English = u"00000409"_s;

// Steps of a session: P/E ask for Persian/English (the window is active), -
// releases the layout (the window lost the activation), A lets the desktop
// answer everything asked so far.
void run(Keyboard &k, const char *steps) {
    for (const char *c = steps; *c != '\0'; ++c) {
        switch (*c) {
        case 'P':
            k.keyboard->loadKeyboardLayout(Persian);
            break;
        case 'E':
            k.keyboard->loadKeyboardLayout(English);
            break;
        case '-':
            k.keyboard->releaseLayout();
            break;
        case 'A':
            k.desktop.answerAll();
            break;
        default:
            FAIL() << "bad step " << *c;
        }
    }
}

TEST(SessionKeyboard, FollowsThePaneWhileHeldAndGivesTheUsersLayoutBack) {
    struct Case {
        const char *steps;
        QString current;   // the desktop's layout afterwards
        QStringList asked; // what was asked of it, in order
        QString start = u"de"_s;
        QStringList layouts{u"de"_s, u"us"_s, u"ir"_s}; // the user's
    };
    const Case cases[] = {
        {"EA", u"us"_s, {u"us"_s}},
        {"EAPA", u"ir"_s, {u"us"_s, u"ir"_s}},
        // Released: the user's layout comes back; asked again: the pane's.
        {"PA-A", u"de"_s, {u"ir"_s, u"de"_s}},
        {"PA-APA", u"ir"_s, {u"ir"_s, u"de"_s, u"ir"_s}},
        // Released before the desktop answered: given back after the answer.
        {"P-A", u"de"_s, {u"ir"_s, u"de"_s}},
        // Requests while one is in flight only move the target.
        {"PEPEA", u"us"_s, {u"ir"_s, u"us"_s}},
        {"P-P-A", u"de"_s, {u"ir"_s, u"de"_s}},
        // Asking for the layout the desktop already has: nothing to give back.
        {"EA-A", u"de"_s, {u"us"_s, u"de"_s}},
        {"-A", u"de"_s, {}},
        // A user already in the layout is left alone.
        {"EA-A", u"us"_s, {u"us"_s}, u"us"_s},
        // A layout the user lacks is not added, and asked anew only by the next switch.
        {"PA", u"de"_s, {u"ir"_s}, u"de"_s, {u"us"_s, u"de"_s}},
        {"PAEAPA", u"us"_s, {u"ir"_s, u"us"_s, u"ir"_s}, u"de"_s, {u"us"_s, u"de"_s}},
    };
    for (const Case &c : cases) {
        Keyboard k;
        k.desktop.current = c.start;
        k.desktop.layouts = c.layouts;
        run(k, c.steps);
        EXPECT_EQ(k.desktop.current, c.current) << c.steps;
        EXPECT_EQ(k.desktop.asked, c.asked) << c.steps;
        EXPECT_TRUE(k.desktop.pending.empty()) << c.steps;
    }
}

TEST(SessionKeyboard, ASilentDesktopChangesNothingAndBlocksNothing) {
    Keyboard k;
    k.desktop.answers = false;
    run(k, "PAEA-A");
    EXPECT_EQ(k.desktop.current, u"de"_s);
    EXPECT_TRUE(k.keyboard->applied().isEmpty());
    // No chord either: it could reach only X clients, never the compositor.
    std::optional<bool> sent;
    k.keyboard->sendCtrlShift([&](bool ok) { sent = ok; });
    EXPECT_EQ(sent, std::optional<bool>(false));
}

TEST(SessionKeyboard, OtherIdentifiersAskNothing) {
    Keyboard k;
    for (const QString &id : {u""_s, u"00000407"_s, u"ir"_s, u"0000042"_s}) {
        EXPECT_FALSE(k.keyboard->loadKeyboardLayout(id)) << id.toStdString();
    }
    EXPECT_TRUE(k.desktop.asked.isEmpty());
}

TEST(SessionKeyboard, TheEndOfTheRunGivesTheUsersLayoutBack) {
    const std::pair<const char *, QStringList> cases[] = {
        {"PA", {u"de"_s}},
        {"PA-A", {}}, // given back already
        {"P", {}},    // never changed: the answer is lost with the run
        {"", {}},
    };
    for (const auto &[steps, activatedNow] : cases) {
        Keyboard k;
        run(k, steps);
        FakeDesktop &desktop = k.desktop;
        k.keyboard.reset();
        EXPECT_EQ(desktop.activatedNow, activatedNow) << steps;
    }
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
    struct Case {
        const char *platform;
        bool x;
        QByteArray wayland;
        QByteArray desktop;
        vorlan::KeyboardKind kind;
    };
    const Case cases[] = {
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
    for (const Case &c : cases) {
        EXPECT_EQ(
            vorlan::chooseKeyboard(QString::fromLatin1(c.platform), c.x, c.wayland, c.desktop),
            c.kind)
            << c.platform << " " << c.wayland.constData() << " " << c.desktop.constData();
    }
}

} // namespace
