// The clipboard reader against owners that behave, and owners that stall,
// lie about their data or send too much, on a real X server.
#include "x11/clipboardreader.h"
#include "x11probe.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstring>

using namespace Qt::StringLiterals;
using vorlan::x11::ClipboardReader;

namespace {

constexpr int Patience = 10000; // ms

// One read, answered; `meanwhile` runs while it is awaited.
QString readOnce(
    vorlan::ClipboardService &clipboard, const std::function<void()> &meanwhile = [] {}) {
    QString read;
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
    return read;
}

// Reads until the text is `expected` (owners take a moment to start).
QString readUntil(vorlan::ClipboardService &clipboard, const QString &expected) {
    QElapsedTimer clock;
    clock.start();
    QString text;
    do {
        text = readOnce(clipboard);
    } while (text != expected && clock.elapsed() < Patience);
    return text;
}

// xclip owning the clipboard with these bytes as this target.
struct Xclip {
    QProcess process;
    Xclip(const QByteArray &bytes, const QString &target) {
        process.start(u"xclip"_s, {u"-selection"_s, u"clipboard"_s, u"-quiet"_s, u"-t"_s, target});
        process.write(bytes);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForStarted(Patience));
    }
    ~Xclip() {
        signal(SIGCONT);
        process.kill();
        process.waitForFinished(Patience);
    }
    // Only to a running xclip, never to a whole process group.
    bool signal(int sig) {
        const qint64 pid = process.processId();
        return pid > 0 && process.state() == QProcess::Running && ::kill(pid_t(pid), sig) == 0;
    }
};

// An owner of our own on a connection of its own, answering every request
// as told whenever serve() runs.
class HostileOwner {
public:
    enum class Answer {
        Silent,          // never answers
        WrongType,       // 32-bit atoms where text was asked for
        SixteenBit,      // text type, 16-bit format
        IncrThenSilent,  // announces an incremental transfer, sends nothing
        EndlessIncr,     // incremental chunks of 'x' for ever
        PropertyMissing, // says it wrote the property, did not
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
            const auto *p = reinterpret_cast<xcb_property_notify_event_t *>(e);
            if ((e->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                answer(*reinterpret_cast<xcb_selection_request_event_t *>(e));
            } else if ((e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                       p->window == incr_.requestor && p->atom == incr_.property &&
                       p->state == XCB_PROPERTY_DELETE) {
                const QByteArray chunk(16384, 'x');
                put(incr_, incr_.target, 8, uint32_t(chunk.size()), chunk.data());
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
        const uint32_t words[4] = {1, 2, 3, 4};
        const uint16_t units[2] = {0x41, 0x42};
        const uint32_t size = 1u << 30;
        switch (answer_) {
        case Answer::Silent:
            return;
        case Answer::WrongType:
            put(r, XCB_ATOM_ATOM, 32, 4, words);
            break;
        case Answer::SixteenBit:
            put(r, r.target, 16, 2, units);
            break;
        case Answer::IncrThenSilent:
        case Answer::EndlessIncr:
            put(r, incrAtom_, 32, 1, &size);
            if (answer_ == Answer::EndlessIncr) {
                const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(c_, r.requestor, XCB_CW_EVENT_MASK, &mask);
                incr_ = r;
            }
            break;
        case Answer::PropertyMissing:
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
    xcb_selection_request_event_t incr_{}; // the request served in chunks
};

} // namespace

// Owners that answer: the text as read, bounded, decoded safely.
TEST(ClipboardReader, ReadsWhatOwnersOffer) {
    vorlan::x11::ClipboardReadLimits limits;
    ClipboardReader reader({}, limits);
    vorlan::test::X11Probe probe;
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
        Xclip owner(c.bytes, c.target);
        // An owner that offers no text reads as empty from the start; wait
        // for xclip to own the clipboard first.
        ASSERT_TRUE(QTest::qWaitFor([&] { return probe.clipboardOwned(); }, Patience));
        const QString text = readUntil(reader, c.expected);
        EXPECT_EQ(text, c.expected) << text.left(40).toStdString();
    }
}

// Owners that stall or lie: no text, within the read's time, and the next
// read works. Endless chunks stop at the byte limit.
TEST(ClipboardReader, OwnersThatStallOrLieGiveNoTextInTime) {
    vorlan::x11::ClipboardReadLimits limits;
    ClipboardReader reader({}, limits);
    using enum HostileOwner::Answer;
    for (const auto answer : {Silent, WrongType, SixteenBit, IncrThenSilent, PropertyMissing}) {
        SCOPED_TRACE(int(answer));
        {
            HostileOwner owner(answer);
            QElapsedTimer clock;
            clock.start();
            EXPECT_EQ(readOnce(reader, [&] { owner.serve(); }), u""_s);
            // The deadline, plus generous room for a loaded machine.
            EXPECT_LT(clock.elapsed(), limits.timeout.count() + 3000);
        }
        Xclip good("after", u"UTF8_STRING"_s);
        EXPECT_EQ(readUntil(reader, u"after"_s), u"after"_s);
    }
    HostileOwner endless(EndlessIncr);
    const QString text = readOnce(reader, [&] { endless.serve(); });
    EXPECT_LE(text.size(), limits.maxBytes);
    EXPECT_TRUE(text.isEmpty() || text.startsWith(u"xxxx"_s));
}

// Going away in the middle of a read never waits for a stopped owner, and
// answers no one. (Reads of a stopped, then resumed owner are the window's
// X11 test.)
TEST(ClipboardReader, GoesAwayWithoutWaitingForAStoppedOwner) {
    auto reader = std::make_unique<ClipboardReader>();
    Xclip owner("pear", u"UTF8_STRING"_s);
    ASSERT_EQ(readUntil(*reader, u"pear"_s), u"pear"_s);
    ASSERT_TRUE(owner.signal(SIGSTOP));
    QObject context;
    bool answered = false;
    ASSERT_TRUE(reader->readText(&context, [&](const QString &) { answered = true; }));
    QElapsedTimer clock;
    clock.start();
    reader.reset();
    EXPECT_LT(clock.elapsed(), 3000);
    QTest::qWait(50);
    EXPECT_FALSE(answered);
}
