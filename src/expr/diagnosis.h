// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/precision.h"

// Why a formula cannot be read.
enum class FormulaFault {
    None,
    Empty,
    Blank,             // a blank where it is no part of a name or a number
    UnknownName,       // a name that is neither x nor a function or constant
    AmbiguousName,     // log: ln or lg?
    FullWidth,         // a full-width character where a half-width one belongs
    UnreadableNumber,  // "." or ".e": no digit to read
    TokenTooLong,      // a name or number of more than 19 characters
    MissingOperator,   // two operands side by side, as in 2x
    TwoOperators,      // an operator where an operand belongs, as in 2*-3
    MissingOperand,    // an operator or "()" with nothing to work on
    NoArgument,        // a function with nothing after it
    UnmatchedOpen,
    UnmatchedClose,
    TooManyElements,  // more than 1000 elements
};

// Something a readable formula holds that was likely not meant.
struct FormulaWarning {
    int position;  // 1-based, in characters
    std::string text;
};

struct FormulaDiagnosis {
    // Exactly when the compiler and the evaluator give the formula a value
    // (which may still be NaN at some x, as ln(x) is at -1).
    bool readable = false;
    // For an unreadable formula: the 1-based character position of the first
    // fault (of a faulty token, its first character), the fault, and the reason
    // as the program says it, with a hint where one helps.
    int position = 0;
    FormulaFault fault = FormulaFault::None;
    std::string reason;
    std::vector<FormulaWarning> warnings;
};

// Reads a formula text (UTF-8) as the compiler does in precision and says
// whether it has a value and, when not, where and why: of several faults, the
// one that starts first; of a faulty token (what the compiler itself refuses)
// and a fault of the formula's shape at the same place, the token's. Linear in
// the text's length.
FormulaDiagnosis DiagnoseFormula(std::string_view text, Precision precision = Precision::Single);

// "第 N 个字符：REASON", the line that reports an unreadable formula (or a
// warning).
std::string DiagnosisLine(int position, std::string_view reason);
inline std::string DiagnosisLine(const FormulaDiagnosis& diagnosis) {
    return DiagnosisLine(diagnosis.position, diagnosis.reason);
}
