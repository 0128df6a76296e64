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
    // spreading() looks at the clock on its first call and then on every
    // callsPerLook-th: a look costs what a few hundred cheap evaluations do.
    explicit ParallelRun(std::size_t callsPerLook = 1)
        : pool_(CurrentThreadPool()), callsPerLook_(callsPerLook), calls_(callsPerLook - 1) {
        if (pool_.threads() > 1) start_ = Clock::now();
    }

    ThreadPool& pool() const { return pool_; }

    // True once work may be spread: the pool has more than one thread and the
    // head has passed. Stays true.
    bool spreading() {
        if (spreading_ || pool_.threads() < 2 || ++calls_ < callsPerLook_) return spreading_;
        calls_ = 0;
        const Clock::duration head = pool_.options().serialHead;
        const Clock::duration elapsed = Clock::now() - start_;
        if (elapsed < head / 2) return false;
        // The wall clock also counts time spent waiting for a core on a busy
        // machine: spread only once the work has also had half the head of CPU
        // time since half the head. Reading that clock costs microseconds, so
        // it is read at half the head, then from the head on at most every
        // tenth of it.
        if (!marked_) {
            marked_ = true;
            cpuMark_ = std::clock();
            if (head > Clock::duration::zero()) return false;
        }
        if (elapsed < head || elapsed < nextLook_) return false;
        nextLook_ = elapsed + head / 10;
        const std::chrono::duration<double> cpu(static_cast<double>(std::clock() - cpuMark_) /
                                                CLOCKS_PER_SEC);
        spreading_ = cpu >= head / 2;
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
    using Clock = std::chrono::steady_clock;

    ThreadPool& pool_;
    std::size_t callsPerLook_;
    std::size_t calls_;
    Clock::time_point start_;
    bool marked_ = false;
    std::clock_t cpuMark_ = 0;
    Clock::duration nextLook_{};
    bool spreading_ = false;
};
