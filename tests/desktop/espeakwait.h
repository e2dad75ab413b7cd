#pragma once

// What an espeak-ng service's `finished` callback reports, for the test's
// thread to wait on, never for ever.

#include <QList>

#include <chrono>
#include <condition_variable>
#include <mutex>

struct Finished {
    std::mutex mutex;
    std::condition_variable changed;
    QList<bool> ok; // for each request, in the order they ended

    void operator()(quint64, bool succeeded) {
        std::lock_guard lock(mutex);
        ok.append(succeeded);
        changed.notify_all();
    }
    // False when fewer than count requests ended within a minute.
    bool waitFor(qsizetype count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::minutes(1), [&] { return ok.size() >= count; });
    }
};
