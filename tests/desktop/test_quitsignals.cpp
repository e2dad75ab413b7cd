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

TEST(QuitOnSignals, EachSignalEndsTheLoopWithStatusZeroAndIsThenGivenBack) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const auto before = handlerOf(signal);
        {
            vorlan::QuitOnSignals quit;
            ASSERT_TRUE(quit.active());
            // A second instance would steal the handlers: it stays inactive.
            EXPECT_FALSE(vorlan::QuitOnSignals().active());
            // Twice: a second request while quitting does no harm.
            QTimer::singleShot(0, [signal] {
                std::raise(signal);
                std::raise(signal);
            });
            QTimer::singleShot(10000,
                               [] { QCoreApplication::exit(7); }); // never reached if it works
            EXPECT_EQ(QCoreApplication::exec(), 0);
        }
        EXPECT_EQ(handlerOf(signal), before);
    }
}

// A nested loop, as a modal box runs, ends as well as the outer one.
TEST(QuitOnSignals, NestedLoopEndsToo) {
    vorlan::QuitOnSignals quit;
    bool nestedEnded = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        QEventLoop nested;
        nested.exec();
        nestedEnded = true;
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(nestedEnded);
}

} // namespace
