#include "displayprobe.h"

#include "platformchoice.h"
#include "wayland/reachable.h"
#include "x11/reachable.h"

#include <QLoggingCategory>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vorlan {

namespace {

// Off unless asked for, e.g. QT_LOGGING_RULES="vorlan.startup.info=true".
Q_LOGGING_CATEGORY(lcStartup, "vorlan.startup", QtWarningMsg)

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Outcome {
    std::optional<Opened> opened; // none while the display is still being opened
    int tries = 0;
    Clock::duration took{};
};

// Shared with the threads, one of which may wait on a silent display for as
// long as the program runs.
struct Outcomes {
    std::mutex mutex;
    std::condition_variable settled;
    Outcome x;
    Outcome wayland;
};

// A refusal is tried again after a growing pause while the deadline allows:
// a server still starting, or too busy to accept, may take the next one.
template <typename Open>
void openOnItsThread(const std::shared_ptr<Outcomes> &outcomes, Outcome Outcomes::*outcome,
                     Clock::time_point deadline, Open open) {
    std::thread([outcomes, outcome, deadline, open] {
        const Clock::time_point start = Clock::now();
        Outcome done;
        for (auto pause = 50ms;; pause *= 2) {
            ++done.tries;
            done.opened = open(deadline);
            if (done.opened != Opened::Refused || Clock::now() + pause >= deadline) {
                break;
            }
            std::this_thread::sleep_for(pause);
        }
        done.took = Clock::now() - start;
        {
            const std::lock_guard lock(outcomes->mutex);
            (*outcomes).*outcome = done;
        }
        outcomes->settled.notify_all();
    }).detach();
}

// Where libwayland looks: WAYLAND_DISPLAY as a path, or a name in
// XDG_RUNTIME_DIR.
std::string waylandSocketPath(const QByteArray &display) {
    const QByteArray name = display.isEmpty() ? QByteArrayLiteral("wayland-0") : display;
    if (name.startsWith('/')) {
        return name.toStdString();
    }
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    return runtimeDir.isEmpty() ? std::string() : (runtimeDir + '/' + name).toStdString();
}

// What one display came to, said where start-up is logged.
Opened settled(const Outcome &outcome, bool tried, const char *display) {
    if (!tried) {
        return Opened::NotTried;
    }
    if (!outcome.opened) {
        qCInfo(lcStartup, "%s: no answer within the deadline", display);
        return Opened::Silent;
    }
    static const char *const names[] = {"not tried", "answers", "bad name", "refused", "silent"};
    qCInfo(
        lcStartup, "%s: %s, %d tries in %lld ms", display, names[static_cast<int>(*outcome.opened)],
        outcome.tries,
        static_cast<long long>(std::chrono::ceil<std::chrono::milliseconds>(outcome.took).count()));
    return *outcome.opened;
}

} // namespace

QString settlePlatform() {
    const SessionEnvironment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                         qgetenv("WAYLAND_DISPLAY")};
    const DisplaysToOpen open = displaysToOpen(environment);
    const Clock::time_point deadline = Clock::now() + DisplayDeadline;
    const auto outcomes = std::make_shared<Outcomes>();
    if (open.x) {
        openOnItsThread(outcomes, &Outcomes::x, deadline,
                        [name = environment.display.toStdString()](Clock::time_point) {
                            return x11::openDisplay(name);
                        });
    }
    if (open.wayland && qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
        // A connection handed over by the compositor that started us: Qt
        // takes that one, whatever WAYLAND_DISPLAY says.
        outcomes->wayland.opened = Opened::Answers;
    } else if (open.wayland) {
        openOnItsThread(outcomes, &Outcomes::wayland, deadline,
                        [path = waylandSocketPath(environment.waylandDisplay)](
                            Clock::time_point until) { return wayland::openDisplay(path, until); });
    }
    std::unique_lock lock(outcomes->mutex);
    // An X display that answers settles it; else each display has its say.
    outcomes->settled.wait_until(lock, deadline, [&] {
        return outcomes->x.opened == Opened::Answers ||
               ((!open.x || outcomes->x.opened) && (!open.wayland || outcomes->wayland.opened));
    });
    const Opened x = settled(outcomes->x, open.x, "X display");
    const Opened wayland = settled(outcomes->wayland, open.wayland, "Wayland display");
    lock.unlock();
    const PlatformChoice choice = choosePlatform(environment, x, wayland);
    if (!choice.platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", choice.platform);
    }
    return choice.missing;
}

} // namespace vorlan
