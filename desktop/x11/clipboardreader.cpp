#include "clipboardreader.h"
#include "display.h"

#include <QGuiApplication>
#include <QStringDecoder>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <system_error>
#include <unistd.h>

namespace vorlan::x11 {

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbPtr = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t internAtom(xcb_connection_t *c, const QByteArray &name) {
    const XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

struct Atoms {
    xcb_atom_t clipboard = XCB_ATOM_NONE;
    xcb_atom_t utf8 = XCB_ATOM_NONE;
    xcb_atom_t mimeUtf8 = XCB_ATOM_NONE; // as Wayland programs name it, through XWayland
    xcb_atom_t incr = XCB_ATOM_NONE;
};

// Reads take turns over a few property names, so that an owner answering a
// read we have given up on writes where the current read does not look.
constexpr int PropertyCount = 4;

// One connection of the reader's thread, with what every read needs.
class Session {
public:
    Session(const QByteArray &displayName, int wakeFd) : wakeFd_(wakeFd) {
        int screenNumber = 0;
        c_ = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
        if (xcb_connection_has_error(c_) != 0) {
            return;
        }
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c_));
        for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
            xcb_screen_next(&screens);
        }
        if (screens.rem == 0) {
            return;
        }
        atoms_.clipboard = internAtom(c_, "CLIPBOARD");
        atoms_.utf8 = internAtom(c_, "UTF8_STRING");
        atoms_.mimeUtf8 = internAtom(c_, "text/plain;charset=utf-8");
        atoms_.incr = internAtom(c_, "INCR");
        for (int i = 0; i < PropertyCount; ++i) {
            properties_[i] = internAtom(c_, QByteArray("VORLAN_CLIPBOARD_") + char('0' + i));
        }
        // One window for every read, kept for the session: an owner that
        // answers late (one stopped and resumed) writes to a window that is
        // still there, instead of failing on a missing one.
        window_ = xcb_generate_id(c_);
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screens.data->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        xcb_flush(c_);
    }
    ~Session() { xcb_disconnect(c_); }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    bool usable() const {
        return xcb_connection_has_error(c_) == 0 && window_ != XCB_WINDOW_NONE &&
               atoms_.clipboard != XCB_ATOM_NONE && atoms_.utf8 != XCB_ATOM_NONE &&
               atoms_.mimeUtf8 != XCB_ATOM_NONE && atoms_.incr != XCB_ATOM_NONE &&
               std::ranges::find(properties_, xcb_atom_t(XCB_ATOM_NONE)) == properties_.end();
    }

    // The selection's text, as far as it arrives by the deadline and within
    // maxBytes; empty otherwise.
    QString read(ClipboardService::Selection which, Clock::time_point deadline,
                 qsizetype maxBytes) {
        selection_ = which == ClipboardService::Selection::Primary ? xcb_atom_t(XCB_ATOM_PRIMARY)
                                                                   : atoms_.clipboard;
        property_ = properties_[next_++ % PropertyCount];
        xcb_delete_property(c_, window_, property_);
        for (const xcb_atom_t target :
             {atoms_.utf8, atoms_.mimeUtf8, xcb_atom_t(XCB_ATOM_STRING)}) {
            const std::optional<QString> text = convert(target, deadline, maxBytes);
            if (text) {
                return *text;
            }
        }
        return {};
    }

private:
    // A cut multi-byte sequence at the end is left out; invalid ones read
    // as U+FFFD.
    static QString decodeUtf8(const QByteArray &bytes) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        return decoder.decode(bytes);
    }

    // The owner's answer to `target`, decoded by the type it came as
    // (owners such as xclip answer every target in their one type);
    // nullopt when it refused or answered in a type that is not text (try
    // another target), empty when it answered badly or too late.
    std::optional<QString> convert(xcb_atom_t target, Clock::time_point deadline,
                                   qsizetype maxBytes) {
        xcb_convert_selection(c_, window_, selection_, target, property_, XCB_CURRENT_TIME);
        xcb_flush(c_);
        const XcbPtr<xcb_generic_event_t> event = waitFor(deadline, [&](xcb_generic_event_t *e) {
            if ((e->response_type & 0x7F) != XCB_SELECTION_NOTIFY) {
                return false;
            }
            const auto *n = reinterpret_cast<xcb_selection_notify_event_t *>(e);
            return n->requestor == window_ && n->selection == selection_ && n->target == target &&
                   (n->property == property_ || n->property == XCB_ATOM_NONE);
        });
        if (!event) {
            return QString();
        }
        if (reinterpret_cast<xcb_selection_notify_event_t *>(event.get())->property ==
            XCB_ATOM_NONE) {
            return std::nullopt;
        }
        QByteArray data;
        xcb_atom_t type = XCB_ATOM_NONE;
        if (!takeProperty(maxBytes, data, type)) {
            return QString();
        }
        if (type == atoms_.incr) {
            data = readIncrementally(deadline, maxBytes, type);
        }
        if (type == atoms_.utf8 || type == atoms_.mimeUtf8) {
            return decodeUtf8(data);
        }
        if (type == XCB_ATOM_STRING) {
            return QString::fromLatin1(data);
        }
        return type == XCB_ATOM_NONE ? std::optional<QString>(QString()) : std::nullopt;
    }

    // Chunks follow, each written once we have deleted the one before; an
    // empty one ends the transfer. Past maxBytes the rest is abandoned. The
    // chunks' type, or none when the transfer broke off.
    QByteArray readIncrementally(Clock::time_point deadline, qsizetype maxBytes, xcb_atom_t &type) {
        QByteArray text;
        type = XCB_ATOM_NONE;
        while (text.size() < maxBytes) {
            const XcbPtr<xcb_generic_event_t> event =
                waitFor(deadline, [&](xcb_generic_event_t *e) {
                    if ((e->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
                        return false;
                    }
                    const auto *p = reinterpret_cast<xcb_property_notify_event_t *>(e);
                    return p->window == window_ && p->atom == property_ &&
                           p->state == XCB_PROPERTY_NEW_VALUE;
                });
            QByteArray chunk;
            xcb_atom_t chunkType = XCB_ATOM_NONE;
            // Stalled in the middle, or chunks that change type: no text
            // rather than a guess.
            if (!event || !takeProperty(maxBytes - text.size(), chunk, chunkType) ||
                (type != XCB_ATOM_NONE && chunkType != type && !chunk.isEmpty())) {
                type = XCB_ATOM_NONE;
                return {};
            }
            if (chunk.isEmpty()) {
                break;
            }
            type = chunkType;
            text += chunk;
        }
        return text;
    }

    // Reads at most maxBytes of our property as 8-bit data and deletes it
    // when read whole. False for anything but 8-bit data (or no property).
    bool takeProperty(qsizetype maxBytes, QByteArray &data, xcb_atom_t &type) {
        const auto longs = static_cast<uint32_t>((maxBytes + 3) / 4);
        const XcbPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c_, xcb_get_property(c_, 1, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, longs),
            nullptr));
        if (!reply) {
            return false;
        }
        type = reply->type;
        if (type == atoms_.incr) {
            return true; // its value, a size estimate, is not needed
        }
        if (type == XCB_ATOM_NONE) {
            data.clear(); // announced but never written
            return true;
        }
        if (reply->format != 8) {
            return false;
        }
        const int length = xcb_get_property_value_length(reply.get());
        const auto *value = static_cast<const char *>(xcb_get_property_value(reply.get()));
        data = QByteArray(value, std::min<qsizetype>(length, maxBytes));
        return true;
    }

    // The first event that `matches`, dropping the others, or null at the
    // deadline, when the connection breaks or when woken to stop.
    template <typename Match>
    XcbPtr<xcb_generic_event_t> waitFor(Clock::time_point deadline, Match matches) {
        for (;;) {
            while (xcb_generic_event_t *e = xcb_poll_for_event(c_)) {
                XcbPtr<xcb_generic_event_t> event(e);
                if (matches(e)) {
                    return event;
                }
            }
            if (xcb_connection_has_error(c_) != 0) {
                return nullptr;
            }
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                return nullptr;
            }
            std::array<pollfd, 2> fds{
                {{xcb_get_file_descriptor(c_), POLLIN, 0}, {wakeFd_, POLLIN, 0}}};
            if (::poll(fds.data(), fds.size(), static_cast<int>(left)) < 0 && errno != EINTR) {
                return nullptr;
            }
            if (fds[1].revents != 0) {
                return nullptr;
            }
        }
    }

    xcb_connection_t *c_ = nullptr;
    xcb_window_t window_ = XCB_WINDOW_NONE;
    Atoms atoms_;
    std::array<xcb_atom_t, PropertyCount> properties_{};
    unsigned next_ = 0;
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    xcb_atom_t property_ = XCB_ATOM_NONE;
    int wakeFd_;
};

} // namespace

ClipboardReader::ClipboardReader(QByteArray displayName, ClipboardReadLimits limits)
    : displayName_(displayName.isEmpty() ? applicationDisplayName() : std::move(displayName)),
      limits_(limits) {
    if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakePipe_[0] = wakePipe_[1] = -1;
        return;
    }
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error &) {
    }
}

ClipboardReader::~ClipboardReader() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (wakePipe_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakePipe_[1], &byte, 1);
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    for (const int fd : wakePipe_) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

bool ClipboardReader::readText(QObject *context, TextHandler done) {
    if (current_) {
        return false; // and so while others wait
    }
    start({Selection::Clipboard, {{context, std::move(done)}}});
    return true;
}

void ClipboardReader::readForPaste(Selection selection, QObject *context, TextHandler done) {
    Waiter waiter{context, std::move(done)};
    if (!current_) {
        start({selection, {std::move(waiter)}});
        return;
    }
    // The read under way was asked before this paste and may answer with
    // older text; one still waiting starts after it.
    for (Read &read : waiting_) {
        if (read.selection == selection) {
            read.waiters.append(std::move(waiter));
            return;
        }
    }
    waiting_.append({selection, {std::move(waiter)}});
}

void ClipboardReader::start(Read read) {
    const Selection selection = read.selection;
    current_ = std::move(read);
    if (!thread_.joinable()) {
        // No thread to read on: no text, as from an owner that never answers.
        QMetaObject::invokeMethod(
            &receiver_, [this] { deliver({}); }, Qt::QueuedConnection);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        requested_ = selection;
    }
    wake_.notify_all();
}

void ClipboardReader::deliver(const QString &text) {
    const QList<Waiter> waiters = std::move(current_->waiters);
    current_.reset();
    if (!waiting_.isEmpty()) {
        start(waiting_.takeFirst());
    }
    for (const Waiter &waiter : waiters) {
        if (waiter.context && waiter.done) {
            waiter.done(text);
        }
    }
}

void ClipboardReader::run() {
    std::unique_ptr<Session> session;
    for (;;) {
        Selection selection;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return requested_ || stopping_; });
            if (stopping_) {
                return;
            }
            selection = *std::exchange(requested_, std::nullopt);
        }
        const Clock::time_point deadline = Clock::now() + limits_.timeout;
        if (!session || !session->usable()) {
            session = std::make_unique<Session>(displayName_, wakePipe_[0]);
        }
        QString text;
        if (session->usable()) {
            text = session->read(selection, deadline, limits_.maxBytes);
        }
        QMetaObject::invokeMethod(
            &receiver_, [this, text] { deliver(text); }, Qt::QueuedConnection);
    }
}

} // namespace vorlan::x11
