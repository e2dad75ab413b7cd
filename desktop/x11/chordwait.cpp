#include "chordwait.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

#include <utility>

namespace vorlan::x11 {

namespace {

constexpr int PollMs = 5;

} // namespace

ChordFlight::ChordFlight(std::function<bool()> focused, std::function<bool()> send,
                         std::function<void(bool)> done, int focusWaitMs, int releaseWaitMs)
    : focused_(std::move(focused)), send_(std::move(send)), done_(std::move(done)),
      focusWaitMs_(focusWaitMs) {
    clock_.start();
    timer_.setInterval(PollMs);
    connect(&timer_, &QTimer::timeout, this, [this, releaseWaitMs] {
        if (!watching_) {
            pollFocus();
        } else if (clock_.elapsed() >= releaseWaitMs) {
            finish(sent_); // sent, but not seen: the wait is over all the same
        }
    });
    // Even a focus that is there already is looked at from the event loop,
    // so that the caller has returned before `done` runs.
    timer_.start();
}

ChordFlight::~ChordFlight() {
    if (watching_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void ChordFlight::pollFocus() {
    // Keys sent while no window of ours has the focus would reach another
    // program.
    if (QGuiApplication::focusWindow() == nullptr || clock_.elapsed() >= focusWaitMs_) {
        finish(false);
        return;
    }
    if (!focused_()) {
        return;
    }
    QCoreApplication::instance()->installEventFilter(this);
    watching_ = true;
    sent_ = send_();
    if (!sent_) {
        finish(false);
        return;
    }
    clock_.restart();
}

bool ChordFlight::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Control) {
        // Queued, so that the widget handles the release before `done` runs.
        QMetaObject::invokeMethod(
            this, [this] { finish(true); }, Qt::QueuedConnection);
    }
    return false;
}

void ChordFlight::finish(bool sent) {
    if (!done_) {
        return;
    }
    timer_.stop();
    if (watching_) {
        QCoreApplication::instance()->removeEventFilter(this);
        watching_ = false;
    }
    std::exchange(done_, nullptr)(sent);
}

} // namespace vorlan::x11
