// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/calculation_page.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <utility>

#include "app/dialog/control_text.h"
#include "app/dialog/window_precision.h"
#include "app/pages/stale_results.h"
#include "app/plot/page_plots.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"
#include "app/work/long_work.h"
#include "calculus/result_text.h"
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
    for (const int input : request.inputs) {
        if (input != 0) enterPresses_.emplace_back(input, request.button);
    }
}

void CalculationPage::pressOnEnter(std::initializer_list<int> fields, int button) {
    for (const int field : fields) enterPresses_.emplace_back(field, button);
}

QStringList CalculationPage::inputState(const PageRequest& request) const {
    const auto* stepBox = control<QCheckBox>(request.stepBox);
    QStringList state;
    for (const int id : request.inputs) {
        if (id == 0) continue;
        const bool unused = id == request.stepEdit && stepBox && !stepBox->isChecked();
        state << (unused ? QString() : controlText(control(id)));
    }
    state += inputsBeyondControls(request);
    // Every result is computed in the window's precision, so switching it
    // leaves the value shown stale.
    state << (WindowPrecision::instance().isDouble() ? "double" : "single");
    return state;
}

bool CalculationPage::showsFreshResult(int button) const {
    const PageRequest* described = request(button);
    return described && stale_ && stale_->fresh(*described);
}

void CalculationPage::recheckResults() {
    if (stale_) stale_->recheckSoon();
}

void CalculationPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    stale_ = new StaleResults(*this);
    connect(this, &TemplatePage::calculated, stale_, [this](int button) {
        if (const PageRequest* described = request(button))
            stale_->resultShown(*described, std::exchange(shownDescription_, {}));
    });
    connect(&WindowPrecision::instance(), &WindowPrecision::changed, this,
            &CalculationPage::recheckResults);
}

// A line edit leaves Enter to its page; a multi-line edit takes it as a line
// break. A field with no button of its own leaves it to the hidden default
// button, as any other control does.
void CalculationPage::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && qobject_cast<QLineEdit*>(focusWidget())) {
        for (const auto& [field, pressed] : enterPresses_) {
            if (control(field) != focusWidget()) continue;
            if (QPushButton* target = button(pressed)) target->click();
            return event->accept();
        }
    }
    TemplatePage::keyPressEvent(event);
}

void CalculationPage::runRequest(int button) {
    const PageRequest* described = request(button);
    if (!described) return;
    const EngineCall& call = calls_[static_cast<std::size_t>(described - requests_.data())];
    // Taken once, before the fields are read: no other window takes input
    // until the request has ended, so the fields, the computation and the
    // result all go by this precision.
    const Precision mode = WindowPrecision::instance().current();
    if (!call.run || !UpdateData(true)) return;
    const RequestOutcome outcome =
        runAsLongWork(this, [&](WorkControl* work) { return call.run(work, mode); });
    switch (outcome.kind) {
        case RequestOutcome::Kind::Value: {
            *call.result = outcome.value;
            UpdateData(false);
            const QString text =
                QString::fromStdString(ResultText(outcome.value, outcome.error, mode));
            auto* result = control<QLineEdit>(described->result);
            if (result && result->text() != text) result->setText(text);
            shownDescription_ =
                QString::fromStdString(ErrorDescription(outcome.value, outcome.error, mode));
            emit calculated(button);
            return;
        }
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
