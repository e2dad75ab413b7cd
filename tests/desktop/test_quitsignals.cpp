// The signals that ask a program to end close it through its event loop.
#include "quitsignals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <csignal>

namespace {

void (*handlerOf(int signal))(int) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

// Raised inside a nested loop, as a modal box runs: that loop and the outer
// one end with status 0, and the handler is given back afterwards.
TEST(QuitOnSignals, EachSignalEndsEveryLoopAndIsThenGivenBack) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const auto before = handlerOf(signal);
        bool nestedEnded = false;
        {
            vorlan::QuitOnSignals quit;
            ASSERT_TRUE(quit.active());
            // A second instance would steal the handlers: it stays inactive.
            EXPECT_FALSE(vorlan::QuitOnSignals().active());
            QTimer::singleShot(0, [&] {
                // Twice: a second request while quitting does no harm.
                QTimer::singleShot(0, [signal] {
                    std::raise(signal);
                    std::raise(signal);
                });
                QEventLoop nested;
                nested.exec();
                nestedEnded = true;
            });
            QTimer::singleShot(10000, &quit, [] { QCoreApplication::exit(7); }); // if it fails
            EXPECT_EQ(QCoreApplication::exec(), 0);
        }
        EXPECT_TRUE(nestedEnded);
        EXPECT_EQ(handlerOf(signal), before);
    }
}

} // namespace
