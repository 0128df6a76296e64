// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/page_work.h"

#include <optional>

#include "app/work/long_work.h"
#include "core/message_service.h"
#include "core/string_table.h"
#include "expr/diagnosis.h"

namespace {}  // namespace

RequestOutcome RunPageRequest(QWidget* owner,
                              const std::function<RequestOutcome(WorkControl*)>& request) {
    std::optional<RequestOutcome> outcome;
    switch (LongWork::run(owner, [&](WorkControl& control) { outcome = request(&control); })) {
        case WorkEnd::Done:
            return outcome.value_or(RequestOutcome::cancelled());
        case WorkEnd::OutOfMemory:
            return RequestOutcome::message(kMsgNoMemory);
        case WorkEnd::Cancelled:
            break;
    }
    return RequestOutcome::cancelled();
}

bool TakeOutcome(const RequestOutcome& outcome, std::string_view formula, double& result,
                 std::string& messageText, MessageService& messages) {
    switch (outcome.kind) {
        case RequestOutcome::Kind::Value:
            result = outcome.value;
            return true;
        case RequestOutcome::Kind::Message:
            messageText = LoadString(outcome.messageId);
            if (outcome.formulaHasNoValue) {
                messages.showMessage(outcome.messageId, DiagnosisLine(DiagnoseFormula(formula)));
            } else {
                messages.showMessage(outcome.messageId);
            }
            return false;
        case RequestOutcome::Kind::Cancelled:
            break;
    }
    return false;
}
