// SPDX-License-Identifier: GPL-3.0-or-later
// mexora-cli eval FORMULA X [X ...]: the formula's value at each X.
#include <memory>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help_text.h"
#include "expr/compiler.h"
#include "expr/evaluator.h"

namespace {

const std::string_view kUsage = commandUsage("eval");

// Compiles formula with values of type Value and writes its value at each point.
template <class Value>
void writeValues(const std::string& formula, const std::vector<double>& points) {
    const auto expr = std::make_unique<BasicCompiledExpression<Value>>();
    CompileExpression(*expr, formula);
    for (double x : points) {
        reportResult(static_cast<double>(EvaluateExpression(*expr, static_cast<Value>(x))));
    }
}

}  // namespace

int runEvalCommand(const std::vector<std::string>& args, Precision precision) {
    const auto split = splitArguments(args, {});
    if (!split) return usageError("bad arguments", kUsage);
    const std::vector<std::string>& plain = split->plain;
    if (plain.size() < 2) return usageError("a formula and at least one X are needed", kUsage);

    // Read every X before printing anything, so a bad one leaves no partial output.
    std::vector<double> points;
    for (std::size_t i = 1; i < plain.size(); ++i) {
        const auto x = readNumberArgument(plain[i], "X", precision);
        if (!x) return kExitUsage;
        points.push_back(*x);
    }
    const std::optional<std::string> formula = readTextArgument(plain[0], "FORMULA");
    if (!formula) return kExitUsage;
    reportFormulaDiagnosis(*formula, precision);  // a fault, or what reads otherwise than it looks
    if (precision == Precision::Double) {
        writeValues<double>(*formula, points);
    } else {
        writeValues<float>(*formula, points);
    }
    return kExitResult;
}
