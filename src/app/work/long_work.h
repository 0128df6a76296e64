// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include "core/work_control.h"

class QObject;
class QWidget;

// How a piece of long work ended.
enum class WorkEnd {
    Done,         // it ran to its end
    Cancelled,    // the user, or the program quitting, stopped it
    OutOfMemory,  // it could not get the storage it needed
};

// Runs long work (the pages' requests) on a worker thread while the window
// goes on painting. Work still running after kDialogDelay brings up a
// progress dialog whose "取消" stops it; shorter work shows nothing. Until the
// work ends no other window of the program takes input, so no second request
// can start; the windows can still be closed, which cancels the work.
// One piece of work runs at a time, on the user-interface thread's behalf.
class LongWork {
  public:
    static constexpr std::chrono::milliseconds kDialogDelay{400};

    // Runs work to its end and returns how it ended. owner is the window the
    // progress dialog belongs to. Refused (Cancelled) while other work runs.
    static WorkEnd run(QWidget* owner, const std::function<void(WorkControl&)>& work);

    // Asks the running work, if any, to stop: the program is quitting.
    static void cancelRunning();

    static bool running();
    // Calls action from the event loop once no work runs: after the running
    // work has ended and its handler has returned, or soon when none runs.
    // Nothing is called once context is gone.
    static void whenEnded(QObject* context, std::function<void()> action);
};
