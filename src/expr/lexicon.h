// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <numbers>
#include <optional>
#include <string_view>

#include "core/number_text.h"
#include "core/precision.h"
#include "expr/compiled_expression.h"

// The words of the formula language, for the compiler and the diagnosis alike:
// a name added here is one both of them know, in the precisions it names.

// Each of these stands alone and ends a token; "x" is the variable.
inline constexpr std::string_view kFormulaDelimiters = "()+-*/^#x";

inline constexpr bool isFormulaDelimiter(char c) {
    return kFormulaDelimiters.find(c) != std::string_view::npos;
}

// A function (code is its ElementCode) or a constant (code is kNumber).
struct FormulaName {
    std::string_view name;
    char code;
    bool doubleOnly = false;
    // For a name of double precision only: what single precision writes
    // instead, if anything, for the hint that refuses it there.
    std::string_view singleWriting = {};
    double value = 0.0;  // a constant's

    constexpr bool readIn(Precision precision) const {
        return !doubleOnly || precision == Precision::Double;
    }
    constexpr bool isConstant() const { return code == ElementCode::kNumber; }
    // A name holding a delimiter ("exp" holds x) is read whole where a token
    // begins; elsewhere the delimiter splits it as always.
    constexpr bool holdsDelimiter() const {
        return name.find_first_of(kFormulaDelimiters) != std::string_view::npos;
    }
};

// Compared exactly and case-sensitively. Each name is a whole token, so
// "sinh" never reads as "sin" and "h".
inline constexpr FormulaName kFormulaNames[] = {
    {"sin", ElementCode::kSine},
    {"cos", ElementCode::kCosine},
    {"tg", ElementCode::kTangent},
    {"ctg", ElementCode::kCotangent},
    {"ln", ElementCode::kNaturalLog},
    {"lg", ElementCode::kDecimalLog},
    {"abs", ElementCode::kAbsolute},
    // Double precision only; where it can, with what single precision writes instead.
    {"tan", ElementCode::kTangent, true, "tg(x)"},
    {"cot", ElementCode::kCotangent, true, "ctg(x)"},
    {"exp", ElementCode::kExponential, true, "2.71828182845905^x"},
    {"sqrt", ElementCode::kSquareRoot, true, "x#2"},
    {"asin", ElementCode::kArcSine, true},
    {"arcsin", ElementCode::kArcSine, true},
    {"acos", ElementCode::kArcCosine, true},
    {"arccos", ElementCode::kArcCosine, true},
    {"atan", ElementCode::kArcTangent, true},
    {"arctg", ElementCode::kArcTangent, true},
    {"sinh", ElementCode::kHyperbolicSine, true},
    {"cosh", ElementCode::kHyperbolicCosine, true},
    {"tanh", ElementCode::kHyperbolicTangent, true},
    {"pi", ElementCode::kNumber, true, "3.14159265358979", std::numbers::pi},
    {"e", ElementCode::kNumber, true, "2.71828182845905", std::numbers::e},
};

// Refused in every precision: it could be ln as well as lg.
inline constexpr std::string_view kAmbiguousLogName = "log";

// The delimiters that join two operands ("-" also negates).
inline bool isFormulaOperator(char c) {
    return c != 'x' && c != '(' && c != ')' && isFormulaDelimiter(c);
}

// A token that begins so is read as a number (and a sign is never part of a
// token, since "+" and "-" are delimiters, but for the exponent of double
// precision's numbers).
inline constexpr bool isNumberStart(char c) { return isDecimalDigit(c) || c == '.'; }

// The name's entry whatever the precision, or nullptr.
inline const FormulaName* findFormulaName(std::string_view name) {
    for (const FormulaName& entry : kFormulaNames) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

// The name's entry when precision reads it, or nullptr.
inline const FormulaName* findFormulaName(std::string_view name, Precision precision) {
    const FormulaName* entry = findFormulaName(name);
    return entry && entry->readIn(precision) ? entry : nullptr;
}

inline bool isFunctionName(std::string_view name, Precision precision = Precision::Single) {
    const FormulaName* entry = findFormulaName(name, precision);
    return entry && !entry->isConstant();
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

// Walks a formula text left to right, one piece at a time, as precision reads
// it. The pieces view the text; nothing is copied.
class FormulaScanner {
  public:
    explicit FormulaScanner(std::string_view text, Precision precision = Precision::Single)
        : text_(text), precision_(precision) {}

    std::optional<FormulaPiece> next() {
        const std::size_t begin = at_;
        if (begin == text_.size()) return std::nullopt;
        if (isFormulaDelimiter(text_[begin])) {
            ++at_;
            return FormulaPiece{begin, text_.substr(begin, 1), text_[begin]};
        }
        at_ += wholeNameLength(text_.substr(begin));
        skipTokenCharacters();
        if (precision_ == Precision::Double && signedExponentFollows(begin)) {
            ++at_;  // the sign
            skipTokenCharacters();
        }
        return FormulaPiece{begin, text_.substr(begin, at_ - begin), 0};
    }

  private:
    static std::size_t wholeNameLength(std::string_view rest) {
        for (const FormulaName& entry : kFormulaNames) {
            if (entry.holdsDelimiter() && rest.starts_with(entry.name)) return entry.name.size();
        }
        return 0;
    }

    void skipTokenCharacters() {
        while (at_ < text_.size() && !isFormulaDelimiter(text_[at_])) ++at_;
    }

    // A number token that ends in its exponent letter ("1e", "2.5E"), then a
    // sign and a digit: in double precision the sign is the exponent's.
    bool signedExponentFollows(std::size_t begin) const {
        const std::string_view token = text_.substr(begin, at_ - begin);
        if (!isNumberStart(token.front()) || (token.back() != 'e' && token.back() != 'E')) {
            return false;
        }
        return decimalPrefixLength(token) + 1 == token.size() && at_ + 1 < text_.size() &&
               (text_[at_] == '-' || text_[at_] == '+') && isDecimalDigit(text_[at_ + 1]);
    }

    std::string_view text_;
    Precision precision_;
    std::size_t at_ = 0;
};
