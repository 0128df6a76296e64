// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/thread_pool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <exception>

#include "core/number_text.h"

namespace {

// A thread that runs out of tasks watches this long for more, or for the last
// task of its job to finish, before it sleeps: waking a sleeping thread takes
// longer than a task does, and the next block of work follows within
// microseconds.
constexpr std::chrono::microseconds kWatch{50};

// Polls ready, letting other threads run in between, until it holds or kWatch
// has passed.
template <class Ready>
void watchFor(Ready ready) {
    const auto end = std::chrono::steady_clock::now() + kWatch;
    while (!ready() && std::chrono::steady_clock::now() < end) std::this_thread::yield();
}

}  // namespace

ThreadPool::ThreadPool(int threads, ThreadPoolOptions options)
    : threads_(std::clamp(threads, 1, kMaxThreads)), options_(options) {}

ThreadPool::~ThreadPool() { stop(); }

std::size_t ThreadPool::taskSize(std::size_t preferred) const {
    return std::max<std::size_t>(1, preferred / std::max<std::size_t>(1, options_.taskDivisor));
}

void ThreadPool::start(PoolJob& job) {
    if (threads_ < 2 || job.count_ == 0) return;
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) return;
        if (!started_) startWorkers();
        queue_.push_back(&job);
        queued_.store(queue_.size());
    }
    wake_.notify_all();
}

void ThreadPool::finish(PoolJob& job) {
    std::unique_lock lock(mutex_);
    std::size_t index = 0;
    while (take(job, index)) {
        lock.unlock();
        job.run_(job.body_, index);
        lock.lock();
        ++job.finished_;
    }
    if (job.finished_ != job.count_) {
        lock.unlock();
        watchFor([&] { return job.finished_.load() == job.count_; });
        lock.lock();
    }
    done_.wait(lock, [&] { return job.finished_ == job.count_; });
}

void ThreadPool::abandon(PoolJob& job) {
    std::unique_lock lock(mutex_);
    std::size_t index = 0;
    while (take(job, index)) ++job.finished_;
    done_.wait(lock, [&] { return job.finished_ == job.count_; });
}

void ThreadPool::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
}

void ThreadPool::startWorkers() {
    started_ = true;
    // A process short of threads or memory gets fewer workers; jobs still
    // complete on their callers.
    try {
        workers_.reserve(static_cast<std::size_t>(threads_ - 1));
        for (int i = 1; i < threads_; ++i) workers_.emplace_back([this] { work(); });
    } catch (const std::exception&) {
    }
}

void ThreadPool::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (queue_.empty() && !stopping_) {
            lock.unlock();
            watchFor([&] { return queued_.load() > 0; });
            lock.lock();
        }
        wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        PoolJob& job = *queue_.front();
        std::size_t index = 0;
        take(job, index);  // a queued job always has a task left
        lock.unlock();
        job.run_(job.body_, index);
        lock.lock();
        complete(job);
    }
}

bool ThreadPool::take(PoolJob& job, std::size_t& index) {
    if (job.next_ == job.count_) return false;
    index = job.next_++;
    if (job.next_ == job.count_) {
        const auto queued = std::find(queue_.begin(), queue_.end(), &job);
        if (queued != queue_.end()) {
            queue_.erase(queued);
            queued_.store(queue_.size());
        }
    }
    return true;
}

void ThreadPool::complete(PoolJob& job) {
    // Under the mutex: the caller cannot see the count and return (ending the
    // job) before the notification is made.
    if (++job.finished_ == job.count_) done_.notify_all();
}

int DefaultThreadCount() {
    if (const char* text = std::getenv("MEXORA_THREADS")) {
        const std::optional<int> threads = parseIntField(text);
        if (threads && *threads >= 1 && *threads <= kMaxThreads) return *threads;
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(hardware), 1, kMaxThreads);
}

namespace {

std::atomic<int> requestedThreads{0};
thread_local ThreadPool* threadPool = nullptr;

void stopSharedPool() { SharedThreadPool().stop(); }

}  // namespace

void SetSharedThreadCount(int threads) { requestedThreads.store(threads); }

ThreadPool& SharedThreadPool() {
    // Never destroyed: a request may still be running on another thread while
    // the process exits. Only the workers end, joined by stopSharedPool.
    static ThreadPool* const pool = [] {
        const int requested = requestedThreads.load();
        auto* made = new ThreadPool(requested > 0 ? requested : DefaultThreadCount());
        std::atexit(stopSharedPool);
        return made;
    }();
    return *pool;
}

ThreadPool& CurrentThreadPool() { return threadPool ? *threadPool : SharedThreadPool(); }

UsingThreadPool::UsingThreadPool(ThreadPool& pool) : previous_(threadPool) { threadPool = &pool; }

UsingThreadPool::~UsingThreadPool() { threadPool = previous_; }
