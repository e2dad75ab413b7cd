#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace vorlan::x11 {

// One Ctrl+Shift chord on its way, followed from the event loop without ever
// waiting in a loop of its own: first until `focused()` holds (polled every
// few milliseconds), then `send()` puts the keys out, then until one of our
// widgets has handled the release of a Control key. Each wait is bounded.
// `done(sent)` runs once: with false when our application lost the focus or
// the focus never came (nothing is sent then), else with what `send()`
// returned. Destroying the flight first cancels it. Kept apart from the Xlib
// code, whose macros clash with Qt's names.
class ChordFlight : public QObject {
public:
    ChordFlight(std::function<bool()> focused, std::function<bool()> send,
                std::function<void(bool)> done, int focusWaitMs, int releaseWaitMs);
    ~ChordFlight() override;
    ChordFlight(const ChordFlight &) = delete;
    ChordFlight &operator=(const ChordFlight &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pollFocus();
    void finish(bool sent);

    std::function<bool()> focused_;
    std::function<bool()> send_;
    std::function<void(bool)> done_;
    int focusWaitMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool sent_ = false;
    bool watching_ = false;
};

} // namespace vorlan::x11
