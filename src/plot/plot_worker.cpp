// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plot_worker.h"

#include <new>

PlotWorker::~PlotWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_ = nullptr;
        if (running_) running_->requestCancel();
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void PlotWorker::run(Job job) {
    {
        const std::lock_guard lock(mutex_);
        if (running_) running_->requestCancel();
        waiting_ = std::move(job);
        if (!thread_.joinable()) thread_ = std::thread([this] { loop(); });
    }
    wake_.notify_all();
}

void PlotWorker::cancel() {
    const std::lock_guard lock(mutex_);
    waiting_ = nullptr;
    if (running_) running_->requestCancel();
}

void PlotWorker::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (stopping_) return;
        Job job = std::move(waiting_);
        waiting_ = nullptr;
        WorkControl control;
        running_ = &control;
        lock.unlock();
        try {
            job(control);
        } catch (const std::bad_alloc&) {
            // No memory for this picture: the one shown stays.
        }
        lock.lock();
        running_ = nullptr;
    }
}
