// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

#include "app/pages/calculation_page.h"
#include "app/work/long_work.h"
#include "app/work/window_messages.h"
#include "matrix/compute_status.h"
#include "matrix/page_controls.h"

class QLineEdit;
class TextArea;

// A page whose fields and handlers are those of an engine page logic (the
// matrix and the determinant pages): the logic reads and refreshes the
// controls through the page's exchange, talks to the user through the page's
// messages, and hands its long computations to runComputation.
template <class Logic>
class LogicPage : public CalculationPage, private PageControls {
  public:
    template <class Store>
    LogicPage(int templateId, Store& store)
        : CalculationPage(templateId), logic_(store, messages_, *this) {}

    const Logic& logic() const { return logic_; }

  protected:
    // Runs compute (the work the logic has begun) on a worker thread through
    // the long-work runner, folds how the work ended into the result's
    // status, and gives the result to finish. Tells the listeners of button
    // when the computation was done.
    template <class Compute, class Finish>
    void runComputation(int button, Compute compute, Finish finish) {
        decltype(compute(nullptr)) result;
        switch (LongWork::run(this, [&](WorkControl& control) { result = compute(&control); })) {
            case WorkEnd::OutOfMemory:
                result.status = ComputeStatus::NoMemory;
                break;
            case WorkEnd::Cancelled:
                result.status = ComputeStatus::Cancelled;
                break;
            case WorkEnd::Done:
                break;
        }
        const bool done = result.status == ComputeStatus::Done;
        finish(std::move(result));
        if (done) emit calculated(button);
    }

    // Declared before the logic, which is made with it.
    WindowMessages messages_{*this};
    Logic logic_;

  private:
    bool readControls() override { return UpdateData(true); }
    void refreshControls() override { UpdateData(false); }
};

// The element edit of a matrix page (rows and cols) or of a determinant page
// (rows is the order, cols nullptr): as the user types it says how its text
// reads in the shape the fields give, and it copies its matrix as LaTeX.
void watchElements(TextArea* elements, QLineEdit* rows, QLineEdit* cols, MessageService& messages);
