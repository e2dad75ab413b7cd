#include "quitsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vorlan {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only do what is async-signal-safe: it writes one byte into
// a socket that the event loop watches, or, with none, ends the process.
volatile std::sig_atomic_t writeEnd = -1;
int readEnd = -1;
std::array<struct sigaction, kSignals.size()> previous{};

extern "C" void onSignal(int) {
    if (writeEnd < 0) {
        ::_exit(0);
    }
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a request to quit; losing this one is fine.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = saved;
}

void handle(std::array<struct sigaction, kSignals.size()> *saved) {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, saved != nullptr ? &(*saved)[i] : nullptr);
    }
}

} // namespace

void quitAtOnceOnSignals() {
    handle(nullptr);
}

QuitOnSignals::QuitOnSignals(QObject *parent) : QObject(parent) {
    int fds[2];
    if (writeEnd >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) {
        return;
    }
    writeEnd = fds[0];
    readEnd = fds[1];
    notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignals::drain);
    handle(&previous);
}

QuitOnSignals::~QuitOnSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &previous[i], nullptr);
    }
    delete notifier_;
    ::close(readEnd);
    ::close(writeEnd);
    writeEnd = -1;
    readEnd = -1;
}

void QuitOnSignals::drain() {
    char buffer[64];
    while (::read(readEnd, buffer, sizeof buffer) > 0) {
    }
    // exit() rather than quit(): it also ends a modal box's loop.
    QCoreApplication::exit(0);
}

} // namespace vorlan
