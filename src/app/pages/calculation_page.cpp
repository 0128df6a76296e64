// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/calculation_page.h"

#include <optional>

#include "app/plot/page_plots.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"
#include "app/work/long_work.h"
#include "core/string_table.h"

namespace {

// Runs call through the long-work runner. Work that could not get its
// storage ends in kMsgNoMemory; cancelled work in a cancelled outcome.
RequestOutcome runAsLongWork(QWidget* owner,
                             const std::function<RequestOutcome(WorkControl*)>& run) {
    std::optional<RequestOutcome> outcome;
    switch (LongWork::run(owner, [&](WorkControl& control) { outcome = run(&control); })) {
        case WorkEnd::Done:
            return outcome.value_or(RequestOutcome::cancelled());
        case WorkEnd::OutOfMemory:
            return RequestOutcome::message(kMsgNoMemory);
        case WorkEnd::Cancelled:
            break;
    }
    return RequestOutcome::cancelled();
}

}  // namespace

const PageRequest* CalculationPage::request(int button) const {
    for (const PageRequest& described : requests_) {
        if (described.button == button) return &described;
    }
    return nullptr;
}

void CalculationPage::describe(const PageRequest& request) { describe(request, {}); }

void CalculationPage::describe(const PageRequest& request, EngineCall call) {
    requests_.push_back(request);
    calls_.push_back(std::move(call));
}

void CalculationPage::runRequest(int button) {
    const PageRequest* described = request(button);
    if (!described) return;
    const EngineCall& call = calls_[static_cast<std::size_t>(described - requests_.data())];
    if (!call.run || !UpdateData(true)) return;
    const RequestOutcome outcome = runAsLongWork(this, call.run);
    switch (outcome.kind) {
        case RequestOutcome::Kind::Value:
            *call.result = outcome.value;
            UpdateData(false);
            emit calculated(button);
            return;
        case RequestOutcome::Kind::Message:
            if (call.messageText) *call.messageText = LoadString(outcome.messageId);
            if (outcome.diagnosis.empty()) {
                messages().showMessage(outcome.messageId);
            } else {
                messages().showMessage(outcome.messageId, outcome.diagnosis);
            }
            return;
        case RequestOutcome::Kind::Cancelled:
            return;
    }
}

void CalculationPage::watchFormulas() {
    for (const PageRequest& described : requests_) {
        if (auto* formula = control<FieldEdit>(described.formula)) diagnoseAsTyped(formula);
    }
    attachPagePlots(*this);
}
