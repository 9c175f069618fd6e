#include "platform/MessagePump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

class MessagePumpTest : public testing::Test {
protected:
    void TearDown() override { SetMessagePumpHook({}); }
};

} // namespace

TEST_F(MessagePumpTest, RunsTheHookAtMostOnceEvery20Milliseconds)
{
    int runs = 0;
    SetMessagePumpHook([&runs] { ++runs; });
    const auto start = std::chrono::steady_clock::now();
    ProcessPendingMessages();
    ProcessPendingMessages();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(runs, 1);
    // A machine that stalls between the two calls may rightly run it twice.
    if (elapsed < std::chrono::milliseconds(20)) {
        EXPECT_EQ(runs, 1);
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const int before = runs;
    ProcessPendingMessages();
    EXPECT_EQ(runs, before + 1);
}

TEST_F(MessagePumpTest, ANewHookRunsAtOnceAndAnEmptyOneTurnsThePumpOff)
{
    int first = 0;
    int second = 0;
    SetMessagePumpHook([&first] { ++first; });
    ProcessPendingMessages();
    SetMessagePumpHook([&second] { ++second; });
    ProcessPendingMessages();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);

    SetMessagePumpHook({});
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    ProcessPendingMessages();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

TEST_F(MessagePumpTest, AHookThatPumpsAgainDoesNotRunItself)
{
    int runs = 0;
    SetMessagePumpHook([&runs] {
        ++runs;
        ProcessPendingMessages();
    });
    ProcessPendingMessages();
    EXPECT_EQ(runs, 1);
}
