// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// What a pool lets its callers split, and how finely.
struct ThreadPoolOptions {
    // Long work runs on the calling thread for this long before any of it is
    // spread: a request shorter than that never waits for another thread.
    std::chrono::nanoseconds serialHead = std::chrono::milliseconds(1);
    // Divides every task size a caller asks for (at least 1 item stays); tests
    // raise it to cut work into the smallest pieces.
    std::size_t taskDivisor = 1;
};

// A set of count tasks for a pool: run(i) for every i in [0, count), each
// exactly once, on any thread. Tasks must not throw.
class PoolJob {
  public:
    template <class Body>
    PoolJob(std::size_t count, Body& body)
        : count_(count),
          body_(&body),
          run_([](void* b, std::size_t i) { (*static_cast<Body*>(b))(i); }) {}
    PoolJob(const PoolJob&) = delete;
    PoolJob& operator=(const PoolJob&) = delete;

  private:
    friend class ThreadPool;
    std::size_t count_;
    std::size_t next_ = 0;                   // the first task nobody has taken
    std::atomic<std::size_t> finished_ = 0;  // tasks run or skipped; changed under the mutex
    void* body_;
    void (*run_)(void*, std::size_t);
};

// Worker threads shared by every request. The caller of a job always takes
// part in it, so a job completes even when no worker is free, and several
// callers may run jobs at once. With one thread there are no workers and every
// job runs on its caller, in order.
class ThreadPool {
  public:
    // threads counts the caller; threads - 1 workers start with the first job.
    explicit ThreadPool(int threads, ThreadPoolOptions options = {});
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int threads() const { return threads_; }
    const ThreadPoolOptions& options() const { return options_; }
    // A task of about preferred items, as the options divide it.
    std::size_t taskSize(std::size_t preferred) const;

    // Hands job to the workers; the caller goes on until it calls finish.
    void start(PoolJob& job);
    // Runs what nobody has taken of job on the calling thread, then waits for
    // the tasks the workers took.
    void finish(PoolJob& job);
    // Skips what nobody has taken of job and waits for the tasks under way.
    void abandon(PoolJob& job);

    template <class Body>
    void forEach(std::size_t count, Body body) {
        PoolJob job(count, body);
        start(job);
        finish(job);
    }

    // Lets the workers end after their current task and joins them; jobs
    // started later run on their callers alone.
    void stop();

  private:
    void startWorkers();
    void work();
    // Takes the next task of job; false when none is left. Needs mutex_.
    bool take(PoolJob& job, std::size_t& index);
    void complete(PoolJob& job);

    const int threads_;
    const ThreadPoolOptions options_;
    std::mutex mutex_;
    std::condition_variable wake_;         // a job was queued, or the pool stops
    std::condition_variable done_;         // a job's last task finished
    std::deque<PoolJob*> queue_;           // jobs with tasks left to take
    std::atomic<std::size_t> queued_ = 0;  // queue_.size(), to watch without the mutex
    std::vector<std::thread> workers_;
    bool started_ = false;
    bool stopping_ = false;
};

// The threads to use when nothing else says: MEXORA_THREADS when it holds a
// whole number from 1 to kMaxThreads, else the hardware's concurrency.
int DefaultThreadCount();
inline constexpr int kMaxThreads = 256;

// Sets the size of the shared pool; only before its first use.
void SetSharedThreadCount(int threads);

// The pool shared by all requests, made on first use. Its workers are joined
// at process exit; a request still running then finishes on its own thread.
ThreadPool& SharedThreadPool();

// The pool long work on this thread uses: the shared one, unless a
// UsingThreadPool on this thread names another.
ThreadPool& CurrentThreadPool();

class UsingThreadPool {
  public:
    explicit UsingThreadPool(ThreadPool& pool);
    ~UsingThreadPool();
    UsingThreadPool(const UsingThreadPool&) = delete;
    UsingThreadPool& operator=(const UsingThreadPool&) = delete;

  private:
    ThreadPool* previous_;
};
