// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/thread_pool.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "core/parallel_run.h"

namespace {

using namespace std::chrono_literals;

// Waits until value reaches expected; false after ten seconds.
bool waitFor(const std::atomic<int>& value, int expected) {
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (value.load() < expected) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::yield();
    }
    return true;
}

TEST(ThreadPool, RunsEveryTaskExactlyOnce) {
    ThreadPool pool(4);
    std::vector<std::atomic<int>> runs(5000);
    pool.forEach(runs.size(), [&](std::size_t i) { ++runs[i]; });
    for (std::size_t i = 0; i < runs.size(); ++i) ASSERT_EQ(runs[i].load(), 1) << "task " << i;
}

TEST(ThreadPool, WorkersRunTasksBesideTheCaller) {
    // Each task waits for the other to start: only two threads at once finish.
    ThreadPool pool(2);
    std::atomic<int> started{0};
    std::atomic<int> met{0};
    pool.forEach(2, [&](std::size_t) {
        ++started;
        if (waitFor(started, 2)) ++met;
    });
    EXPECT_EQ(met.load(), 2);
}

TEST(ThreadPool, OneThreadRunsTasksInOrderOnTheCaller) {
    ThreadPool pool(1);
    std::vector<std::size_t> order;
    bool elsewhere = false;
    const std::thread::id caller = std::this_thread::get_id();
    pool.forEach(100, [&](std::size_t i) {
        elsewhere = elsewhere || std::this_thread::get_id() != caller;
        order.push_back(i);
    });
    EXPECT_FALSE(elsewhere);
    ASSERT_EQ(order.size(), 100u);
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
}

TEST(ThreadPool, CallersOnSeveralThreadsShareIt) {
    ThreadPool pool(3);
    std::atomic<long> total{0};
    std::vector<std::thread> callers;
    for (int c = 0; c < 4; ++c) {
        callers.emplace_back([&] {
            for (int round = 0; round < 200; ++round) {
                pool.forEach(37, [&](std::size_t i) { total += static_cast<long>(i); });
            }
        });
    }
    for (std::thread& caller : callers) caller.join();
    EXPECT_EQ(total.load(), 4L * 200 * (36 * 37 / 2));
}

TEST(ThreadPool, StoppingMidJobLeavesTheRestToTheCaller) {
    ThreadPool pool(4);
    std::atomic<int> runs{0};
    std::thread caller([&] {
        pool.forEach(400, [&](std::size_t) {
            std::this_thread::sleep_for(200us);
            ++runs;
        });
    });
    ASSERT_TRUE(waitFor(runs, 10));
    pool.stop();
    caller.join();
    EXPECT_EQ(runs.load(), 400);
}

TEST(ParallelRun, KeepsToTheCallerDuringTheSerialHead) {
    ThreadPool pool(4, {.serialHead = 1h});
    const UsingThreadPool use(pool);
    ParallelRun run;
    std::vector<std::thread::id> threads;
    run.forEach(64, [&](std::size_t) { threads.push_back(std::this_thread::get_id()); });
    EXPECT_EQ(threads, std::vector<std::thread::id>(64, std::this_thread::get_id()));
    EXPECT_FALSE(run.spreading());
}

TEST(SharedThreadPool, ProcessExitsWhileARequestRuns) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            alarm(20);  // a hang ends in SIGALRM, not in exit status 0
            SetSharedThreadCount(4);
            std::thread([] {
                ParallelRun run;
                run.forEach(1u << 30, [](std::size_t) { std::this_thread::sleep_for(10us); });
            }).detach();
            std::this_thread::sleep_for(50ms);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
