// The desktop services over a real X server, checked through a connection of
// the test's own; the clipboard reader against owners that behave, and owners
// that stall, lie about their data or send too much.
#include "services.h"
#include "x11/clipboardreader.h"
#include "x11probe.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstring>

using namespace Qt::StringLiterals;
using vorlan::x11::ClipboardReader;
using Selection = vorlan::ClipboardService::Selection;
using namespace vorlan::test;

namespace {

// Reads until the text is `expected` (owners take a moment to start); each
// read is answered, and `meanwhile` runs while it is awaited.
QString readUntil(
    vorlan::ClipboardService &clipboard, const QString &expected,
    const std::function<void()> &meanwhile = [] {}) {
    QElapsedTimer clock;
    clock.start();
    QString read;
    do {
        bool answered = false;
        QObject context;
        EXPECT_TRUE(clipboard.readText(&context, [&](const QString &text) {
            answered = true;
            read = text;
        }));
        // The asking thread is free at once: a second read is refused, not
        // queued behind the first.
        EXPECT_FALSE(clipboard.readText(&context, [](const QString &) {}));
        const auto answeredYet = [&] {
            meanwhile();
            return answered;
        };
        EXPECT_TRUE(QTest::qWaitFor(answeredYet, Patience));
    } while (read != expected && clock.elapsed() < Patience);
    return read;
}

// An owner of our own on a connection of its own, answering every request
// as told whenever serve() runs.
class HostileOwner {
public:
    enum class Answer {
        Silent,         // never answers
        SixteenBit,     // text type, 16-bit format
        IncrThenSilent, // announces an incremental transfer, sends nothing
    };

    explicit HostileOwner(Answer answer) : answer_(answer), c_(xcb_connect(nullptr, nullptr)) {
        const xcb_window_t window = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, window,
                          xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(c_, window, atom("CLIPBOARD"), XCB_CURRENT_TIME);
        incrAtom_ = atom("INCR"); // a round trip: the clipboard is ours before any read
    }
    ~HostileOwner() { xcb_disconnect(c_); }

    // Answers whatever came since the last call.
    void serve() {
        while (xcb_generic_event_t *e = xcb_poll_for_event(c_)) {
            if ((e->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                answer(*reinterpret_cast<xcb_selection_request_event_t *>(e));
            }
            std::free(e);
        }
        xcb_flush(c_);
    }

private:
    xcb_atom_t atom(const char *name) {
        auto *reply = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply->atom;
        std::free(reply);
        return a;
    }

    void put(const xcb_selection_request_event_t &r, xcb_atom_t type, uint8_t format,
             uint32_t count, const void *data) {
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r.requestor, r.property, type, format, count,
                            data);
    }

    void answer(const xcb_selection_request_event_t &r) {
        const uint16_t units[2] = {0x41, 0x42};
        const uint32_t size = 1u << 30;
        switch (answer_) {
        case Answer::Silent:
            return;
        case Answer::SixteenBit:
            put(r, r.target, 16, 2, units);
            break;
        case Answer::IncrThenSilent:
            put(r, incrAtom_, 32, 1, &size);
            break;
        }
        const xcb_selection_notify_event_t n{
            XCB_SELECTION_NOTIFY, 0, 0, r.time, r.requestor, r.selection, r.target, r.property};
        xcb_send_event(c_, 0, r.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&n));
    }

    const Answer answer_;
    xcb_connection_t *c_;
    xcb_atom_t incrAtom_ = 0;
};

// Owners that answer: the text as read, bounded, decoded safely. Owners
// that stall or lie: no text, within the read's time, and the next read
// works.
TEST(ClipboardReader, ReadsWhatOwnersOfferAndNothingFromOwnersThatStallOrLie) {
    vorlan::x11::ClipboardReadLimits limits;
    ClipboardReader reader({}, limits);
    X11Probe probe;
    const QByteArray big = QByteArray("  apple") + QByteArray(2 * 1024 * 1024, 'y');
    const struct {
        const char *name;
        QByteArray bytes;
        QString target;
        QString expected;
    } cases[] = {
        {"utf-8", u"  \u06A9\u062A\u0627\u0628 book\r\n"_s.toUtf8(), u"UTF8_STRING"_s,
         u"  \u06A9\u062A\u0627\u0628 book\r\n"_s},
        {"latin-1 only", "caf\xE9 au lait", u"STRING"_s, u"caf\u00E9 au lait"_s},
        {"as Wayland programs offer it", u"\u0622\u0628 water"_s.toUtf8(),
         u"text/plain;charset=utf-8"_s, u"\u0622\u0628 water"_s},
        {"invalid utf-8", "\xC3(ab\xFF!", u"UTF8_STRING"_s, u"\uFFFD(ab\uFFFD!"_s},
        {"2 MB, incremental", big, u"UTF8_STRING"_s,
         QString::fromLatin1(big.left(limits.maxBytes))},
        {"picture only", "\x89PNG\r\n", u"image/png"_s, u""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ClipboardOwner owner(c.bytes, c.target);
        // An owner that offers no text reads as empty from the start; wait
        // for xclip to own the clipboard first.
        ASSERT_TRUE(QTest::qWaitFor([&] { return probe.clipboardOwned(); }, Patience));
        const QString text = readUntil(reader, c.expected);
        EXPECT_EQ(text, c.expected) << text.left(40).toStdString();
    }
    // (A type that is not text is the picture above; the byte limit in
    // chunks, the 2 MB text.)
    using enum HostileOwner::Answer;
    for (const auto answer : {Silent, SixteenBit, IncrThenSilent}) {
        SCOPED_TRACE(int(answer));
        {
            HostileOwner owner(answer);
            QElapsedTimer clock;
            clock.start();
            EXPECT_EQ(readUntil(reader, u""_s, [&] { owner.serve(); }), u""_s);
            // The deadline, plus generous room for a loaded machine.
            EXPECT_LT(clock.elapsed(), limits.timeout.count() + 3000);
        }
        ClipboardOwner good("after");
        EXPECT_EQ(readUntil(reader, u"after"_s), u"after"_s);
    }
}

// A paste asked while a read is under way waits for it, then reads the
// clipboard's owner of its own time. Going away in the middle of a read
// never waits for the owner, and answers no one, nor a paste waiting its
// turn. (Reads of a stopped, then resumed owner are the window's X11 test.)
TEST(ClipboardReader, PastesWaitTheirTurnAndGoingAwayWaitsForNoOwner) {
    auto reader = std::make_unique<ClipboardReader>(
        QByteArray(), vorlan::x11::ClipboardReadLimits{std::chrono::seconds(2)});
    ClipboardOwner owner("pear");
    ASSERT_EQ(readUntil(*reader, u"pear"_s), u"pear"_s);
    ASSERT_TRUE(owner.signal(SIGSTOP));
    QObject context;
    bool answered = false;
    const auto answer = [&](const QString &) { answered = true; };
    ASSERT_TRUE(reader->readText(&context, answer));
    // Copied anew while that read waits for the stopped owner, as a reader
    // of its own sees.
    ClipboardOwner fresh("plum");
    ClipboardReader other;
    ASSERT_EQ(readUntil(other, u"plum"_s), u"plum"_s);
    QString pasted;
    reader->readForPaste(Selection::Clipboard, &context, [&](const QString &t) { pasted = t; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered && pasted == u"plum"_s; }, Patience));

    ASSERT_TRUE(fresh.signal(SIGSTOP));
    answered = false;
    ASSERT_TRUE(reader->readText(&context, answer));
    reader->readForPaste(Selection::Clipboard, &context, answer);
    QTest::qWait(200); // for the read to be under way
    QElapsedTimer clock;
    clock.start();
    reader.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    QTest::qWait(50);
    EXPECT_FALSE(answered);
}

struct X11Test : testing::Test {
    std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    X11Probe probe;

    void SetUp() override { ASSERT_TRUE(probe.connected()); }
};

// Handles of no window are refused: an X error for a missing window is not
// fatal. (Pinning the window itself is the window's X11 test.)
TEST_F(X11Test, BadWindowHandlesAreRefused) {
    for (const qint64 handle : {qint64(0), qint64(-1), qint64(0x1FFFFFF0), qint64(1) << 40}) {
        EXPECT_FALSE(services->stacking().setTopmost(handle, true)) << handle;
    }
}

// The layout's group is locked, and the layout added after the user's own
// where missing, as `setxkbmap -layout us,ir` would; a release locks the
// user's group again, and the end also gives the user's layouts back,
// unless someone set another configuration meanwhile: that one stays.
TEST_F(X11Test, LocksTheLayoutsGroupAndGivesTheKeyboardBack) {
    // Start and its variants; steps (P Persian, E English, X an unknown
    // layout, - a release) and the locked group after each; whether each
    // load works, the layouts and variants after each step; a configuration
    // set by someone else before the end.
    const struct {
        QString start, startVariants;
        const char *steps, *groups;
        bool loaded;
        QString layouts, variants = {}, meanwhile = {};
    } cases[] = {
        // A layout already active stays so and is not added again.
        {u"us,ir"_s, {}, "PP", "11", true, u"us,ir"_s},
        {u"ir,us"_s, {}, "E-E", "101", true, u"ir,us"_s},
        {u"us"_s, {}, "P-", "10", true, u"us,ir"_s},
        {u"us,ir"_s, {}, "PEP", "101", true, u"us,ir"_s},
        {u"ir(pes_keypad)"_s, {}, "PP", "00", true, u"ir(pes_keypad)"_s},
        {u"us,de"_s, u",nodeadkeys"_s, "PP", "22", true, u"us,de,ir"_s, u",nodeadkeys,"_s},
        // All four groups taken, or no such layout: nothing changes.
        {u"de,fr,ru,gr"_s, {}, "PP", "00", false, u"de,fr,ru,gr"_s},
        {u"us,ir"_s, {}, "XX", "00", false, u"us,ir"_s},
        {u"us"_s, {}, "P", "1", true, u"us,ir"_s, {}, u"us,ir,de"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.start + u": "_s + QLatin1String(c.steps)).toStdString());
        services.reset();
        ASSERT_TRUE(probe.startWith(c.start, c.startVariants));
        services = vorlan::createPlatformServices();
        for (const char *step = c.steps, *group = c.groups; *step != '\0'; ++step, ++group) {
            if (*step == '-') {
                services->keyboard().releaseLayout();
            } else {
                const char *id = *step == 'P' ? "00000429" : *step == 'E' ? "00000409" : "00000000";
                EXPECT_EQ(services->keyboard().loadKeyboardLayout(QLatin1String(id)), c.loaded);
            }
            EXPECT_EQ(probe.lockedGroup(), *group - '0') << step;
            EXPECT_EQ(probe.layouts(), c.layouts);
            EXPECT_EQ(probe.variants(), c.variants);
        }
        ASSERT_TRUE(c.meanwhile.isEmpty() || probe.startWith(c.meanwhile));
        services.reset();
        EXPECT_EQ(probe.layouts(), c.meanwhile.isEmpty() ? c.start : c.meanwhile);
        EXPECT_EQ(probe.lockedGroup(), 0);
    }
}

} // namespace
