#include "platform/QuitSignals.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {
void (*handlerOf(int signal))(int)
{
    struct sigaction now = {};
    sigaction(signal, nullptr, &now);
    return now.sa_handler;
}
}  // namespace

// Both requests to end arrive as events, in order, and do not end the process;
// afterwards the signals do what they did before.
TEST(QuitSignals, TermAndHangUpArriveOnTheEventLoop)
{
    QList<int> received;
    {
        QuitSignals quit;
        ASSERT_TRUE(quit.isActive());
        QObject::connect(&quit, &QuitSignals::received, [&](int signal) { received.append(signal); });
        raise(SIGTERM);
        raise(SIGHUP);
        EXPECT_TRUE(received.isEmpty()) << "never inside the handler";
        ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }));
        EXPECT_EQ(received, (QList<int>{SIGTERM, SIGHUP}));
        // A second object is refused rather than stealing the first one's pipe.
        QuitSignals second;
        EXPECT_FALSE(second.isActive());
    }
    EXPECT_EQ(handlerOf(SIGTERM), SIG_DFL);
    EXPECT_EQ(handlerOf(SIGHUP), SIG_DFL);
}
