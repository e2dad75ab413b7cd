#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorlan {

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
