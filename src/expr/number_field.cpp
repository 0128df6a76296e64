// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/number_field.h"

#include <cmath>
#include <limits>
#include <memory>

#include "core/number_text.h"
#include "expr/compiler.h"
#include "expr/evaluator.h"
#include "expr/lexicon.h"

namespace {

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> infinityWord(std::string_view text) {
    double sign = 1.0;
    if (text.starts_with('-') || text.starts_with('+')) {
        if (text.front() == '-') sign = -1.0;
        text.remove_prefix(1);
    }
    if (text == "inf" || text == "\xE2\x88\x9E") {  // ∞
        return sign * std::numeric_limits<double>::infinity();
    }
    return std::nullopt;
}

// The formula reads as it looks: no x, and every number token read whole
// ("2abc" would read as 2 in a formula, but is no number in a field).
bool isConstantFormula(std::string_view text) {
    for (FormulaScanner scanner(text, Precision::Double); const auto piece = scanner.next();) {
        if (piece->delimiter == 'x') return false;
        if (piece->isToken() && isNumberStart(piece->text.front()) &&
            decimalPrefixLength(piece->text) != piece->text.size()) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<double> ReadNumberField(std::string_view text, Precision precision) {
    if (const auto number = parseDoubleField(text)) return number;
    if (precision == Precision::Single) return std::nullopt;
    text = trimBlanks(text);
    if (const auto infinity = infinityWord(text)) return infinity;
    if (!isConstantFormula(text)) return std::nullopt;
    // Large enough to keep off the stack of a worker thread.
    const auto expr = std::make_unique<CompiledExpressionD>();
    CompileExpression(*expr, text);
    const double value = EvaluateExpression(*expr, 0.0);
    if (!expr->hasValue || !std::isfinite(value)) return std::nullopt;
    return value;
}
