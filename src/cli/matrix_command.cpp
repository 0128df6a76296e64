// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli matrix add|sub|mul ROWS1 COLS1 TEXT1 ROWS2 COLS2 TEXT2: the matrix
// page's arithmetic on two matrices added to its list, with the page's checks.
#include <iostream>
#include <memory>
#include <string_view>
#include <utility>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "cli/long_request.h"
#include "matrix/matrix_page_logic.h"

namespace {

const std::string_view kUsage = commandUsage("matrix");

struct NoControls final : PageControls {
    bool readControls() override { return true; }
    void refreshControls() override {}
};

std::optional<MatrixOperation> operationNamed(std::string_view name) {
    if (name == "add") return MatrixOperation::Sum;
    if (name == "sub") return MatrixOperation::Difference;
    if (name == "mul") return MatrixOperation::Product;
    return std::nullopt;
}

}  // namespace

int runMatrixCommand(const std::vector<std::string>& args, Precision precision) {
    const std::optional<CommandArguments> split = splitArguments(args, {});
    if (!split) return usageError("bad arguments", kUsage);
    const std::vector<std::string>& plain = split->plain;
    if (plain.size() != 7) return usageError("matrix takes an operation and two matrices", kUsage);
    const std::optional<MatrixOperation> operation = operationNamed(plain[0]);
    if (!operation) {
        std::string text = "unknown operation '";
        text += plain[0];
        text += '\'';
        return usageError(text, kUsage);
    }
    const std::optional<int> rows1 = readIntArgument(plain[1], "ROWS1");
    const std::optional<int> cols1 = readIntArgument(plain[2], "COLS1");
    const std::optional<int> rows2 = readIntArgument(plain[4], "ROWS2");
    const std::optional<int> cols2 = readIntArgument(plain[5], "COLS2");
    if (!rows1 || !cols1 || !rows2 || !cols2) return kExitUsage;
    std::optional<std::string> text1 = readTextArgument(plain[3], "TEXT1");
    if (!text1) return kExitUsage;
    std::optional<std::string> text2 = readTextArgument(plain[6], "TEXT2");
    if (!text2) return kExitUsage;

    // The store is large (1000 slots); keep it off the stack.
    const auto store = std::make_unique<MatrixStore>();
    RecordingMessageService messages;
    NoControls controls;
    MatrixPageLogic page(*store, messages, controls);
    const auto add = [&](std::string name, int rows, int cols, std::string& text) {
        page.m_strName = std::move(name);
        page.m_nRows = rows;
        page.m_nCols = cols;
        page.m_strElements = std::move(text);
        page.OnAddMatrix();
    };
    add("1", *rows1, *cols1, *text1);
    if (!messages.shown.empty()) return reportFirstMessage(messages);
    add("2", *rows2, *cols2, *text2);
    if (!messages.shown.empty()) return reportFirstMessage(messages);
    page.selectFirst(0);
    page.selectSecond(1);
    page.precision = precision;
    if (!page.beginOperation(*operation)) return reportFirstMessage(messages);
    MatrixResult result;
    runLongWork(
        [&](WorkControl& control) { result = page.computeOperation(*operation, &control); });
    if (result.status == ComputeStatus::Cancelled) return kExitCancelled;
    page.finishOperation(*operation, std::move(result));
    if (!messages.shown.empty()) return reportFirstMessage(messages);
    std::cout << page.m_strElements;
    return kExitResult;
}
