#pragma once

#include "services.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace vorlan::x11 {

struct ClipboardReadLimits {
    // Whole read, from asking to the last byte. Below the watcher's 500 ms
    // tick, so that a stalled owner costs no tick.
    std::chrono::milliseconds timeout{400};
    // Bytes taken from the start of a text; the watcher needs only its first
    // word.
    qsizetype maxBytes = 64 * 1024;
};

// Reads the CLIPBOARD (or PRIMARY) selection's text over an X connection of
// its own, on a thread of its own, so that an owner that is slow, stopped or
// hostile never holds up the user-interface thread. One read at a time: the
// watcher's polls and the pastes share the connection, and a paste waits at
// most one read's time for its turn. Each read asks for UTF8_STRING, then
// text/plain;charset=utf-8, then STRING, and gives up at the deadline;
// incremental (INCR) transfers are followed up to the byte limit. Only 8-bit
// data typed as one of those is taken (UTF-8 with invalid sequences read as
// U+FFFD, STRING as Latin-1); anything else reads as no text.
class ClipboardReader final : public ClipboardService {
public:
    // `displayName` as for xcb_connect; empty for the application's own
    // display (DISPLAY where Qt does not run on X11). Connects on the
    // reader's thread, at the first read.
    explicit ClipboardReader(QByteArray displayName = {}, ClipboardReadLimits limits = {});
    // Ends the reader's thread without waiting for an owner.
    ~ClipboardReader() override;
    ClipboardReader(const ClipboardReader &) = delete;
    ClipboardReader &operator=(const ClipboardReader &) = delete;

    bool readText(QObject *context, TextHandler done) override;
    void readForPaste(Selection selection, QObject *context, TextHandler done) override;

private:
    struct Waiter {
        QPointer<QObject> context;
        TextHandler done;
    };
    struct Read {
        Selection selection;
        QList<Waiter> waiters;
    };

    void start(Read read);
    void run();
    void deliver(const QString &text);

    const QByteArray displayName_;
    const ClipboardReadLimits limits_;
    // Lives on the asking thread; the reader's thread posts its answers here.
    QObject receiver_;

    // Asking thread only: the read under way, and those asked meanwhile (at
    // most one per selection, in the order asked).
    std::optional<Read> current_;
    QList<Read> waiting_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Selection> requested_;
    bool stopping_ = false;
    // Interrupts the reader's wait on the X connection when stopping.
    int wakePipe_[2] = {-1, -1};
    std::thread thread_;
};

} // namespace vorlan::x11
