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

    void startWith(const QString &layouts, const QString &variants = {}) {
        ASSERT_TRUE(probe.startWith(layouts, variants)) << layouts.toStdString();
    }
};

// Handles of no window are refused: an X error for a missing window is not
// fatal. (Pinning the window itself is the window's X11 test.)
TEST_F(X11Test, BadWindowHandlesAreRefused) {
    for (const qint64 handle : {qint64(0), qint64(-1), qint64(0x1FFFFFF0), qint64(1) << 40}) {
        EXPECT_FALSE(services->stacking().setTopmost(handle, true)) << handle;
    }
}

TEST_F(X11Test, LocksTheLayoutsGroupAddingItWhereMissing) {
    // Start, its variants, layout asked for; then what loading returns, and
    // the server's layouts, variants and locked group afterwards.
    const std::tuple<QString, QString, QString, bool, QString, QString, int> cases[] = {
        {u"us,ir"_s, {}, u"00000429"_s, true, u"us,ir"_s, {}, 1},
        {u"ir,us"_s, {}, u"00000409"_s, true, u"ir,us"_s, {}, 1},
        {u"us"_s, {}, u"00000429"_s, true, u"us,ir"_s, {}, 1},
        {u"ir(pes_keypad)"_s, {}, u"00000429"_s, true, u"ir(pes_keypad)"_s, {}, 0},
        {u"us,de"_s, u",nodeadkeys"_s, u"00000429"_s, true, u"us,de,ir"_s, u",nodeadkeys,"_s, 2},
        // All four groups taken, or no such layout: nothing changes.
        {u"de,fr,ru,gr"_s, {}, u"00000429"_s, false, u"de,fr,ru,gr"_s, {}, 0},
        {u"us,ir"_s, {}, u"00000000"_s, false, u"us,ir"_s, {}, 0},
    };
    for (const auto &[start, startVariants, layoutId, loaded, layouts, variants, group] : cases) {
        SCOPED_TRACE((start + u" -> "_s + layoutId).toStdString());
        startWith(start, startVariants);
        // Twice: a layout already active stays so and is not added again.
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(services->keyboard().loadKeyboardLayout(layoutId), loaded);
            EXPECT_EQ(probe.layouts(), layouts);
            EXPECT_EQ(probe.variants(), variants);
            EXPECT_EQ(probe.lockedGroup(), group);
        }
    }
}

// The keyboard is the user's again when our windows lose the activation
// (their group) and when the service ends (their group, and their layouts
// without the one we added), unless someone set another configuration
// meanwhile: that one is left alone.
TEST_F(X11Test, GivesTheKeyboardBack) {
    // Start, layouts asked for in turn ("-" a release), a configuration set
    // by someone else meanwhile. Ours is the second group; the user's the
    // first, after a release and after the end.
    const std::tuple<QString, QStringList, QString> cases[] = {
        {u"us"_s, {u"00000429"_s, u"-"_s}, {}},
        {u"ir,us"_s, {u"00000409"_s, u"-"_s, u"00000409"_s}, {}},
        {u"us,ir"_s, {u"00000429"_s, u"00000409"_s, u"00000429"_s}, {}},
        {u"us"_s, {u"00000429"_s}, u"us,ir,de"_s},
    };
    for (const auto &[start, steps, meanwhile] : cases) {
        SCOPED_TRACE((start + u": "_s + steps.join(u' ')).toStdString());
        services.reset();
        startWith(start);
        services = vorlan::createPlatformServices();
        for (const QString &step : steps) {
            if (step == u"-"_s) {
                EXPECT_EQ(probe.lockedGroup(), 1);
                services->keyboard().releaseLayout();
                EXPECT_EQ(probe.lockedGroup(), 0);
            } else {
                EXPECT_TRUE(services->keyboard().loadKeyboardLayout(step));
            }
        }
        EXPECT_EQ(probe.lockedGroup(), steps.constLast() == u"-"_s ? 0 : 1);
        if (!meanwhile.isEmpty()) {
            startWith(meanwhile);
        }
        services.reset();
        EXPECT_EQ(probe.layouts(), meanwhile.isEmpty() ? start : meanwhile);
        EXPECT_EQ(probe.lockedGroup(), 0);
    }
}

} // namespace
