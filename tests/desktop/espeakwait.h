#pragma once

// What an espeak-ng service's `finished` callback reports, for the test's
// thread to wait on, never for ever.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <unistd.h>

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

// The process's standard error, caught in a file while this lives.
class CaughtStderr {
public:
    CaughtStderr() : file_(std::tmpfile()) {
        std::fflush(stderr);
        saved_ = ::dup(2);
        ::dup2(::fileno(file_), 2);
    }
    ~CaughtStderr() {
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        std::fclose(file_);
    }
    CaughtStderr(const CaughtStderr &) = delete;
    CaughtStderr &operator=(const CaughtStderr &) = delete;

    // The lines written so far.
    QStringList lines() {
        std::fflush(stderr);
        QByteArray text;
        std::rewind(file_);
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file_)) {
            text.append(buffer, static_cast<qsizetype>(n));
        }
        std::fseek(file_, 0, SEEK_END);
        return QString::fromLocal8Bit(text).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    std::FILE *file_;
    int saved_ = -1;
};
