#include "ui/base/RunOnce.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using VarnUI::RunOnce;

TEST(RunOnce, RunsOnceAndKeepsItsAnswer)
{
    for (const bool answer : {true, false}) {
        INIT_ONCE once = INIT_ONCE_STATIC_INIT;
        int runs = 0;
        EXPECT_EQ(RunOnce(once, [&] { ++runs; return answer; }), answer);
        // A later caller with other work gets the first answer, and nothing runs again.
        EXPECT_EQ(RunOnce(once, [&] { ++runs; return !answer; }), answer);
        EXPECT_EQ(runs, 1);
    }
}

TEST(RunOnce, ThreadsArrivingTogetherWaitForTheOneRun)
{
    INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    std::atomic<int> runs{0};
    std::atomic<bool> go{false};
    int value = 0;
    std::vector<std::thread> threads;
    std::atomic<int> sawValue{0};
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&] {
            while (!go) std::this_thread::yield();
            const bool ok = RunOnce(once, [&] {
                ++runs;
                ::Sleep(50);
                value = 42;
                return true;
            });
            // Whoever returns sees the finished work, not a half-built value.
            if (ok && value == 42) ++sawValue;
        });
    }
    go = true;
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(sawValue, 8);
}
