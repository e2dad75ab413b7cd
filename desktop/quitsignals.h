#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorlan {

// From now on SIGTERM, SIGINT and SIGHUP end the process at once with status
// 0 while no QuitOnSignals lives: for the start, when nothing of ours needs
// undoing yet and no event loop could be told. Call it first in main.
void quitAtOnceOnSignals();

// While it lives, SIGTERM, SIGINT and SIGHUP end the application's event
// loops as closing the window does, so that everything is torn down in order
// and the program exits with status 0 instead of being killed mid-way.
// One at a time; construct on the UI thread after the application object.
class QuitOnSignals : public QObject {
public:
    explicit QuitOnSignals(QObject *parent = nullptr);
    ~QuitOnSignals() override;
    QuitOnSignals(const QuitOnSignals &) = delete;
    QuitOnSignals &operator=(const QuitOnSignals &) = delete;

    // False when the handlers could not be set up (another instance lives,
    // or no socket pair was to be had); the signals then keep their former
    // handling.
    bool active() const { return notifier_ != nullptr; }

private:
    void drain();
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace vorlan
