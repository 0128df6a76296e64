// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli det ORDER TEXT: the determinant page's computation.
#include <iostream>
#include <utility>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "cli/long_request.h"
#include "core/number_text.h"
#include "matrix/determinant_page_logic.h"

namespace {

const std::string_view kUsage = commandUsage("det");

// The command sets the page's fields itself; there are no edits to exchange with.
struct NoControls final : PageControls {
    bool readControls() override { return true; }
    void refreshControls() override {}
};

}  // namespace

int runDeterminantCommand(const std::vector<std::string>& args, Precision precision) {
    const std::optional<CommandArguments> split = splitArguments(args, {});
    if (!split) return usageError("bad arguments", kUsage);
    if (split->plain.size() != 2) return usageError("det takes ORDER and TEXT", kUsage);
    const std::optional<int> order = readIntArgument(split->plain[0], "ORDER");
    if (!order) return kExitUsage;
    std::optional<std::string> text = readTextArgument(split->plain[1], "TEXT");
    if (!text) return kExitUsage;

    DeterminantMatrix matrix;
    RecordingMessageService messages;
    NoControls controls;
    DeterminantPageLogic page(matrix, messages, controls);
    page.m_strElements = std::move(*text);
    page.m_nOrder = *order;
    page.precision = precision;
    if (!page.beginCompute()) return reportFirstMessage(messages);
    if (precision == Precision::Double) {
        ExactDeterminant exact;
        runLongWork([&](WorkControl& control) { exact = page.computeExactly(&control); });
        if (exact.status == ComputeStatus::Cancelled) return kExitCancelled;
        page.finishExactly(exact);
        if (!messages.shown.empty()) return reportFirstMessage(messages);
        std::cout << page.exactResultText << '\n';
        return kExitResult;
    }
    DeterminantResult result;
    runLongWork([&](WorkControl& control) { result = page.computeDeterminant(&control); });
    if (result.status == ComputeStatus::Cancelled) return kExitCancelled;
    page.finishCompute(result);
    if (!messages.shown.empty()) return reportFirstMessage(messages);
    std::cout << formatFloat(page.m_fResult) << '\n';
    return kExitResult;
}
