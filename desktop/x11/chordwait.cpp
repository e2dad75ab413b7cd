#include "chordwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

namespace vorlan::x11 {

namespace {

class ReleaseWatcher : public QObject {
public:
    explicit ReleaseWatcher(QEventLoop &loop) : loop_(loop) {}
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Control) {
            // Queued, so that the widget handles the release before we return.
            QMetaObject::invokeMethod(&loop_, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QEventLoop &loop_;
};

} // namespace

bool waitUntil(const std::function<bool()> &ready, int timeoutMs) {
    if (ready()) {
        return true;
    }
    if (QCoreApplication::instance() == nullptr) {
        return false;
    }
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    bool held = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        held = ready();
        if (held || clock.elapsed() >= timeoutMs) {
            loop.quit();
        }
    });
    poll.start(5);
    loop.exec();
    return held;
}

void waitForControlRelease(int timeoutMs) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    QEventLoop loop;
    ReleaseWatcher watcher(loop);
    QCoreApplication::instance()->installEventFilter(&watcher);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::instance()->removeEventFilter(&watcher);
}

} // namespace vorlan::x11
