// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "core/work_control.h"

// One thread that runs the samplings too long for the user-interface thread,
// one at a time. A new job asks the one running to stop and takes the place of
// any still waiting, so only the latest edit is ever worked on.
class PlotWorker {
  public:
    using Job = std::function<void(const WorkControl&)>;

    PlotWorker() = default;
    ~PlotWorker();
    PlotWorker(const PlotWorker&) = delete;
    PlotWorker& operator=(const PlotWorker&) = delete;

    void run(Job job);
    // Asks the running job to stop, and drops the waiting one.
    void cancel();

  private:
    void loop();

    std::mutex mutex_;
    std::condition_variable wake_;
    Job waiting_;
    WorkControl* running_ = nullptr;  // the control of the job running, under mutex_
    bool stopping_ = false;
    std::thread thread_;  // started with the first job
};
