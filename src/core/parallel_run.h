// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <ctime>

#include "core/thread_pool.h"

// One piece of long work on the current pool. It runs on the calling thread
// until the pool's serial head has passed, so that short requests never pay
// for waking another thread; only what remains after that is spread.
class ParallelRun {
  public:
    ParallelRun() : pool_(CurrentThreadPool()) {
        if (pool_.threads() > 1) {
            startWall_ = std::chrono::steady_clock::now();
            startCpu_ = std::clock();
        }
    }

    ThreadPool& pool() const { return pool_; }

    // True once work may be spread: the pool has more than one thread and the
    // head has passed. Stays true.
    bool spreading() {
        if (!spreading_ && pool_.threads() > 1 &&
            std::chrono::steady_clock::now() - startWall_ >= pool_.options().serialHead) {
            // The wall clock also counts time spent waiting for a core on a
            // busy machine; spread only once the work itself has had the head.
            const double cpuSeconds =
                static_cast<double>(std::clock() - startCpu_) / CLOCKS_PER_SEC;
            spreading_ = std::chrono::duration<double>(cpuSeconds) >= pool_.options().serialHead;
        }
        return spreading_;
    }

    // body(i) for every i in [0, count): in order on the calling thread while
    // the head lasts, the rest on the pool.
    template <class Body>
    void forEach(std::size_t count, Body body) {
        std::size_t i = 0;
        while (i < count && !spreading()) body(i++);
        if (i < count) pool_.forEach(count - i, [&](std::size_t k) { body(i + k); });
    }

  private:
    ThreadPool& pool_;
    std::chrono::steady_clock::time_point startWall_;
    std::clock_t startCpu_ = 0;
    bool spreading_ = false;
};
