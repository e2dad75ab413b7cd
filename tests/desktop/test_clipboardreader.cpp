// The clipboard reader against owners that behave, and owners that stall,
// lie about their data or send too much, on a real X server.
#include "x11/clipboardreader.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <thread>

using namespace Qt::StringLiterals;
using vorlan::x11::ClipboardReader;

namespace {

constexpr int Patience = 10000; // ms

// What one read gave, and whether it came at all.
struct Read {
    bool answered = false;
    QString text;
    qint64 ms = 0;
};

Read readOnce(vorlan::ClipboardService &clipboard) {
    Read read;
    QObject context;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(clipboard.readText(&context, [&](const QString &text) {
        read.answered = true;
        read.text = text;
    }));
    // The asking thread is free at once: a second read is refused, not
    // queued behind the first.
    EXPECT_FALSE(clipboard.readText(&context, [](const QString &) {}));
    [[maybe_unused]] const bool answered = QTest::qWaitFor([&] { return read.answered; }, Patience);
    read.ms = clock.elapsed();
    return read;
}

// Reads until the text is `expected` (owners take a moment to start).
Read readUntil(vorlan::ClipboardService &clipboard, const QString &expected) {
    Read read;
    QElapsedTimer clock;
    clock.start();
    do {
        read = readOnce(clipboard);
    } while (read.text != expected && clock.elapsed() < Patience);
    return read;
}

// Whether any client owns the clipboard, asked on a connection of our own.
bool clipboardOwned() {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    const char name[] = "CLIPBOARD";
    auto *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    auto *owner =
        atom != nullptr
            ? xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr)
            : nullptr;
    const bool owned = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    std::free(atom);
    xcb_disconnect(c);
    return owned;
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

// An owner of our own on a connection and thread of its own, answering
// every request as told.
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

    explicit HostileOwner(Answer answer) : answer_(answer) {
        c_ = xcb_connect(nullptr, nullptr);
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        window_ = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        clipboard_ = atom("CLIPBOARD");
        incr_ = atom("INCR");
        xcb_set_selection_owner(c_, window_, clipboard_, XCB_CURRENT_TIME);
        // A round trip: the server owns us the clipboard before any read.
        std::free(
            xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, clipboard_), nullptr));
        thread_ = std::thread([this] { serve(); });
    }
    ~HostileOwner() {
        stop_ = true;
        thread_.join();
        xcb_disconnect(c_);
    }

private:
    xcb_atom_t atom(const char *name) {
        auto *reply = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply->atom;
        std::free(reply);
        return a;
    }

    void notify(const xcb_selection_request_event_t &request, xcb_atom_t property) {
        xcb_selection_notify_event_t n{};
        n.response_type = XCB_SELECTION_NOTIFY;
        n.requestor = request.requestor;
        n.selection = request.selection;
        n.target = request.target;
        n.property = property;
        n.time = request.time;
        xcb_send_event(c_, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&n));
    }

    void answer(const xcb_selection_request_event_t &r) {
        const uint32_t words[4] = {1, 2, 3, 4};
        const uint16_t units[2] = {0x41, 0x42};
        const uint32_t size = 1u << 30;
        switch (answer_) {
        case Answer::Silent:
            return;
        case Answer::WrongType:
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r.requestor, r.property, XCB_ATOM_ATOM,
                                32, 4, words);
            break;
        case Answer::SixteenBit:
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r.requestor, r.property, r.target, 16, 2,
                                units);
            break;
        case Answer::IncrThenSilent:
        case Answer::EndlessIncr: {
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r.requestor, r.property, incr_, 32, 1,
                                &size);
            if (answer_ == Answer::EndlessIncr) {
                const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(c_, r.requestor, XCB_CW_EVENT_MASK, &mask);
                incrWindow_ = r.requestor;
                incrProperty_ = r.property;
                incrTarget_ = r.target;
            }
            break;
        }
        case Answer::PropertyMissing:
            break;
        }
        notify(r, r.property);
    }

    void serve() {
        const QByteArray chunk(4096, 'x');
        while (!stop_) {
            pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
            ::poll(&fd, 1, 20);
            while (xcb_generic_event_t *e = xcb_poll_for_event(c_)) {
                const int type = e->response_type & 0x7F;
                if (type == XCB_SELECTION_REQUEST) {
                    answer(*reinterpret_cast<xcb_selection_request_event_t *>(e));
                } else if (type == XCB_PROPERTY_NOTIFY) {
                    const auto *p = reinterpret_cast<xcb_property_notify_event_t *>(e);
                    if (p->window == incrWindow_ && p->atom == incrProperty_ &&
                        p->state == XCB_PROPERTY_DELETE) {
                        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, incrWindow_, incrProperty_,
                                            incrTarget_, 8, static_cast<uint32_t>(chunk.size()),
                                            chunk.data());
                    }
                }
                std::free(e);
            }
            xcb_flush(c_);
        }
    }

    const Answer answer_;
    xcb_connection_t *c_ = nullptr;
    xcb_window_t window_ = 0;
    xcb_atom_t clipboard_ = 0;
    xcb_atom_t incr_ = 0;
    xcb_window_t incrWindow_ = 0;
    xcb_atom_t incrProperty_ = 0;
    xcb_atom_t incrTarget_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

} // namespace

// Owners that answer: the text as read, bounded, decoded safely.
TEST(ClipboardReader, ReadsWhatOwnersOffer) {
    vorlan::x11::ClipboardReadLimits limits;
    ClipboardReader reader({}, limits);
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
        {"invalid utf-8",
         "\xC3\x28"
         "ab\xFF"
         "cd",
         u"UTF8_STRING"_s, u"\uFFFD(ab\uFFFDcd"_s},
        {"2 MB, incremental", big, u"UTF8_STRING"_s,
         QString::fromLatin1(big.left(limits.maxBytes))},
        {"picture only", "\x89PNG\r\n", u"image/png"_s, u""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Xclip owner(c.bytes, c.target);
        // An owner that offers no text reads as empty from the start; wait
        // for xclip to own the clipboard first.
        ASSERT_TRUE(QTest::qWaitFor([] { return clipboardOwned(); }, Patience));
        const Read read = readUntil(reader, c.expected);
        EXPECT_TRUE(read.answered);
        EXPECT_EQ(read.text, c.expected) << read.text.left(40).toStdString();
    }
}

// Owners that stall or lie: no text, within the read's time, and the next
// read works.
TEST(ClipboardReader, OwnersThatStallOrLieGiveNoTextInTime) {
    vorlan::x11::ClipboardReadLimits limits;
    ClipboardReader reader({}, limits);
    using Answer = HostileOwner::Answer;
    const struct {
        const char *name;
        Answer answer;
    } cases[] = {
        {"silent", Answer::Silent},
        {"atoms for text", Answer::WrongType},
        {"16-bit text", Answer::SixteenBit},
        {"incremental, then silent", Answer::IncrThenSilent},
        {"property never written", Answer::PropertyMissing},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        {
            HostileOwner owner(c.answer);
            const Read read = readOnce(reader);
            EXPECT_TRUE(read.answered);
            EXPECT_EQ(read.text, u""_s);
            // The deadline, plus generous room for a loaded machine.
            EXPECT_LT(read.ms, limits.timeout.count() + 3000);
        }
        Xclip good("after", u"UTF8_STRING"_s);
        EXPECT_EQ(readUntil(reader, u"after"_s).text, u"after"_s);
    }

    // Endless chunks stop at the byte limit.
    HostileOwner endless(Answer::EndlessIncr);
    const Read read = readOnce(reader);
    EXPECT_TRUE(read.answered);
    EXPECT_LE(read.text.size(), limits.maxBytes);
    EXPECT_TRUE(read.text.isEmpty() || read.text.startsWith(u"xxxx"_s));
}

// A stopped owner: reads come back empty within their time; once the owner
// runs again its text is read. Going away never waits for it.
TEST(ClipboardReader, StoppedOwnerThenResumed) {
    auto reader = std::make_unique<ClipboardReader>();
    Xclip owner("pear", u"UTF8_STRING"_s);
    ASSERT_EQ(readUntil(*reader, u"pear"_s).text, u"pear"_s);
    ASSERT_TRUE(owner.signal(SIGSTOP));
    for (int i = 0; i < 3; ++i) {
        const Read read = readOnce(*reader);
        EXPECT_TRUE(read.answered);
        EXPECT_EQ(read.text, u""_s);
    }
    ASSERT_TRUE(owner.signal(SIGCONT));
    EXPECT_EQ(readUntil(*reader, u"pear"_s).text, u"pear"_s);

    // Destroyed in the middle of a read of a stopped owner.
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
