// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/number_text.h"
#include "expr/compiled_expression.h"

// The words of the formula language, for the compiler and the diagnosis alike:
// a name added here is one both of them know.

// Each of these stands alone and ends a token; "x" is the variable.
inline constexpr std::string_view kFormulaDelimiters = "()+-*/^#x";

struct FunctionName {
    std::string_view name;
    char code;  // its ElementCode
};

// Compared in this order, exactly and case-sensitively.
inline constexpr FunctionName kFunctionNames[] = {
    {"sin", ElementCode::kSine},      {"cos", ElementCode::kCosine},
    {"tg", ElementCode::kTangent},    {"ctg", ElementCode::kCotangent},
    {"ln", ElementCode::kNaturalLog}, {"lg", ElementCode::kDecimalLog},
    {"abs", ElementCode::kAbsolute},
};

inline bool isFormulaDelimiter(char c) {
    return kFormulaDelimiters.find(c) != std::string_view::npos;
}

// The delimiters that join two operands ("-" also negates).
inline bool isFormulaOperator(char c) {
    return c != 'x' && c != '(' && c != ')' && isFormulaDelimiter(c);
}

// A token that begins so is read as a number (and a sign is never part of a
// token, since "+" and "-" are delimiters).
inline constexpr bool isNumberStart(char c) { return isDecimalDigit(c) || c == '.'; }

// The ElementCode of a function name, or ElementCode::kUnknown.
inline char functionCode(std::string_view name) {
    for (const FunctionName& function : kFunctionNames) {
        if (name == function.name) return function.code;
    }
    return ElementCode::kUnknown;
}

inline bool isFunctionName(std::string_view name) {
    return functionCode(name) != ElementCode::kUnknown;
}

// A token (a run of characters that are not delimiters) or one delimiter, with
// where it lies in the formula, in bytes.
struct FormulaPiece {
    std::size_t begin = 0;
    std::string_view text;
    char delimiter = 0;  // 0 for a token

    bool isToken() const { return delimiter == 0; }
    std::size_t end() const { return begin + text.size(); }
};

// Walks a formula text left to right, one piece at a time. The pieces view the
// text; nothing is copied.
class FormulaScanner {
  public:
    explicit FormulaScanner(std::string_view text) : text_(text) {}

    std::optional<FormulaPiece> next() {
        const std::size_t begin = at_;
        if (begin == text_.size()) return std::nullopt;
        if (isFormulaDelimiter(text_[begin])) {
            ++at_;
            return FormulaPiece{begin, text_.substr(begin, 1), text_[begin]};
        }
        while (at_ < text_.size() && !isFormulaDelimiter(text_[at_])) ++at_;
        return FormulaPiece{begin, text_.substr(begin, at_ - begin), 0};
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};
