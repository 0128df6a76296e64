// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/diagnosis.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "core/number_text.h"
#include "core/string_table.h"
#include "expr/compiler.h"
#include "expr/lexicon.h"

namespace {

// A readable formula is warned about this many times at most.
constexpr std::size_t kMostWarnings = 8;

// One code point of UTF-8 text at offset, and its length; a stray byte is one
// unit of its own.
struct CodePoint {
    char32_t value;
    std::size_t length;
};

CodePoint decodeAt(std::string_view text, std::size_t offset) {
    const auto byte = static_cast<unsigned char>(text[offset]);
    const std::size_t length = byte < 0x80    ? 1
                               : byte >= 0xF0 ? 4
                               : byte >= 0xE0 ? 3
                               : byte >= 0xC0 ? 2
                                              : 1;
    if (length == 1 || offset + length > text.size()) return {byte, 1};
    char32_t value = byte & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[offset + i]);
        if ((next & 0xC0) != 0x80) return {byte, 1};
        value = (value << 6) | (next & 0x3F);
    }
    return {value, length};
}

// The half-width character a full-width (or look-alike) one stands for, or 0.
char halfWidthOf(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char>(c - 0xFEE0);
    if (c == 0x3000) return ' ';
    if (c == 0x00D7) return '*';  // ×
    if (c == 0x00F7) return '/';  // ÷
    if (c == 0x2212) return '-';  // minus sign
    return 0;
}

// 1-based character position of a byte offset.
int positionOf(std::string_view text, std::size_t offset) {
    int position = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++position;
    }
    return position;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// An element of the formula with where its text lies.
struct Item {
    char kind;  // 'n' number, 'v' the variable, 'f' function, or the delimiter itself
    std::size_t begin;
    std::size_t end;
};

struct Fault {
    FormulaFault fault = FormulaFault::None;
    std::size_t offset = 0;
    std::string reason;
};

Fault fault(FormulaFault kind, std::size_t offset, std::string reason) {
    return {kind, offset, std::move(reason)};
}

std::string text(int id) { return std::string(LoadString(id)); }

// The hint for a name precision does not read but double precision does.
std::string switchHint(const FormulaName& name) {
    if (name.singleWriting.empty()) return FormatString(kHintDoubleReads, {name.name});
    return FormatString(kHintSingleWriteOrSwitch, {name.singleWriting});
}

// A function of precision written before a number or a constant without
// parentheses ("sin2", "sqrtpi"), or nullptr.
const FormulaName* functionBeforeOperand(std::string_view name, Precision precision) {
    for (const FormulaName& function : kFormulaNames) {
        const std::string_view prefix = function.name;
        if (function.isConstant() || !function.readIn(precision) || name.size() <= prefix.size() ||
            !name.starts_with(prefix)) {
            continue;
        }
        const std::string_view rest = name.substr(prefix.size());
        const FormulaName* constant = findFormulaName(rest, precision);
        if (isNumberStart(rest.front()) || (constant && constant->isConstant())) return &function;
    }
    return nullptr;
}

// What a formula of precision may hold.
std::string whatAFormulaHolds(Precision precision) {
    if (precision == Precision::Single) return text(kHintWhatAFormulaHolds);
    std::string constants;
    std::string functions;
    for (const FormulaName& name : kFormulaNames) {
        std::string& list = name.isConstant() ? constants : functions;
        if (!list.empty()) list += ' ';
        list += name.name;
    }
    return FormatString(kHintWhatADoubleFormulaHolds, {constants, functions});
}

// What an unknown name was likely meant to be, or "".
std::string hintFor(std::string_view name, Precision precision) {
    const std::string lower = lowerAscii(name);
    if (name == "\xCF\x80") {  // π
        return precision == Precision::Single ? text(kHintPi) : FormatString(kHintWriteAs, {"pi"});
    }
    if (name == "X") return FormatString(kHintLowerCase, {"x"});
    if (const FormulaName* known = findFormulaName(lower)) {
        if (!known->readIn(precision)) return switchHint(*known);
        return FormatString(kHintLowerCase, {lower});
    }
    if (const FormulaName* function = functionBeforeOperand(name, precision)) {
        return FormatString(kHintFunctionOfNumber,
                            {function->name, name.substr(function->name.size())});
    }
    return {};
}

// A token longer than the compiler takes, shown by its first characters.
std::optional<Fault> tooLongFault(std::string_view token, std::size_t begin) {
    if (token.size() <= static_cast<std::size_t>(kMaxTokenLength)) return std::nullopt;
    return fault(FormulaFault::TokenTooLong, begin,
                 FormatString(kReasonTokenTooLong, {Utf8Prefix(token, 8)}));
}

// A token the compiler refuses in precision, or nothing.
std::optional<Fault> tokenFault(std::string_view formula, std::size_t begin, std::size_t end,
                                Precision precision) {
    const std::string_view token = formula.substr(begin, end - begin);
    // A number reads as far as it can; what follows it is ignored, not refused.
    if (isNumberStart(token.front())) {
        if (const auto tooLong = tooLongFault(token, begin)) return tooLong;
        if (decimalPrefixLength(token) > 0) return std::nullopt;
        return fault(FormulaFault::UnreadableNumber, begin,
                     FormatString(kReasonUnreadableNumber, {token}));
    }
    for (std::size_t i = 0; i < token.size();) {
        const CodePoint c = decodeAt(token, i);
        if (const char half = halfWidthOf(c.value); half != 0 && half != ' ') {
            return fault(
                FormulaFault::FullWidth, begin + i,
                FormatString(kReasonFullWidth, {token.substr(i, c.length), std::string(1, half)}));
        }
        if (halfWidthOf(c.value) == ' ')
            return fault(FormulaFault::Blank, begin + i, text(kReasonBlank));
        i += c.length;
    }
    const std::size_t firstBlank = token.find_first_of(" \t\r\n");
    if (firstBlank != std::string_view::npos) {
        const std::string_view name = token.substr(0, firstBlank);
        const bool onlyBlanksAfter =
            token.find_first_not_of(" \t\r\n", firstBlank) == std::string_view::npos;
        if (isFunctionName(name, precision) && onlyBlanksAfter) {
            return fault(FormulaFault::UnknownName, begin,
                         FormatString(kReasonUnknownName, {token}) +
                             FormatString(kHintFunctionBlank, {name}));
        }
        return fault(FormulaFault::Blank, begin + firstBlank, text(kReasonBlank));
    }
    if (const auto tooLong = tooLongFault(token, begin)) return tooLong;
    if (findFormulaName(token, precision)) return std::nullopt;
    if (lowerAscii(token) == kAmbiguousLogName) {
        return fault(FormulaFault::AmbiguousName, begin,
                     FormatString(kReasonAmbiguousLog, {token}));
    }
    const std::string hint = hintFor(token, precision);
    return fault(FormulaFault::UnknownName, begin,
                 FormatString(kReasonUnknownName, {token}) +
                     (hint.empty() ? whatAFormulaHolds(precision) : hint));
}

// Checks the shape of the element sequence the way the reduction reads it:
// range := ["-"] unary (operator unary)*, unary := [function] primary,
// primary := number | x | "(" range ")". A "-" is negation only first in its
// range; "(" pairs with the first ")" after the innermost open one.
class ShapeCheck {
  public:
    // Empty pairs of parentheses vanish in the reduction, wherever they stand
    // ("2*()3" is 6), so they are left out first.
    ShapeCheck(std::string_view formula, const std::vector<Item>& items) : formula_(formula) {
        std::vector<std::size_t> open;
        for (const Item& item : items) {
            if (item.kind == ')' && !open.empty() && items_.size() == open.back() + 1) {
                items_.pop_back();
                open.pop_back();
                continue;
            }
            if (item.kind == ')' && !open.empty()) open.pop_back();
            if (item.kind == '(') open.push_back(items_.size());
            items_.push_back(item);
        }
        if (!items.empty()) emptied_ = items.front().begin;
    }

    std::optional<Fault> run() {
        if (items_.empty())
            return fault(FormulaFault::MissingOperand, emptied_, text(kReasonEmptyParentheses));
        range(std::nullopt);
        return found_;
    }

  private:
    char kindAt(std::size_t i) const { return i < items_.size() ? items_[i].kind : 0; }
    std::string_view textOf(const Item& item) const {
        return formula_.substr(item.begin, item.end - item.begin);
    }
    bool failed() const { return found_.has_value(); }
    void fail(Fault f) {
        if (!found_) found_ = std::move(f);
    }

    // open: the "(" this range is inside, if any.
    void range(std::optional<std::size_t> open) {
        if (kindAt(at_) == '-') ++at_;
        unary(open);
        while (!failed()) {
            const char kind = kindAt(at_);
            if (isFormulaOperator(kind)) {
                ++at_;
                unary(open);
            } else if (kind == ')') {
                if (open) return;
                return fail(fault(FormulaFault::UnmatchedClose, items_[at_].begin,
                                  text(kReasonUnmatchedClose)));
            } else if (kind == 0) {
                if (open) {
                    fail(fault(FormulaFault::UnmatchedOpen, items_[*open].begin,
                               text(kReasonUnmatchedOpen)));
                }
                return;
            } else {
                return missingOperator();
            }
        }
    }

    void unary(std::optional<std::size_t> open) {
        // Functions apply leftmost first, each to the number right after it,
        // so one function never takes another as its argument.
        std::optional<std::size_t> function;
        if (kindAt(at_) == 'f') function = at_++;
        const char kind = kindAt(at_);
        if (kind == 'n' || kind == 'v') {
            ++at_;
            return;
        }
        if (kind == '(') {
            const std::size_t here = at_++;
            range(here);
            if (failed()) return;
            ++at_;  // the ")" that closed it
            return;
        }
        if (function) {
            const std::string_view name = textOf(items_[*function]);
            return fail(fault(FormulaFault::NoArgument, items_[*function].begin,
                              FormatString(kReasonNoArgument, {name})));
        }
        if (isFormulaOperator(kind)) {
            // After another operator, or first in a range where only "-" may stand.
            const bool afterOperator = at_ > 0 && isFormulaOperator(items_[at_ - 1].kind);
            const Item& item = items_[at_];
            if (afterOperator) {
                return fail(fault(FormulaFault::TwoOperators, item.begin,
                                  FormatString(kReasonTwoOperators, {textOf(item)})));
            }
            return fail(fault(FormulaFault::MissingOperand, item.begin,
                              FormatString(kReasonMissingOperand, {textOf(item)})));
        }
        // Nothing after an operator: the end, or a ")".
        if (at_ > 0 && isFormulaOperator(items_[at_ - 1].kind)) {
            const Item& last = items_[at_ - 1];
            return fail(fault(FormulaFault::MissingOperand, last.begin,
                              FormatString(kReasonMissingOperand, {textOf(last)})));
        }
        if (kind == ')' && !open) {
            return fail(fault(FormulaFault::UnmatchedClose, items_[at_].begin,
                              text(kReasonUnmatchedClose)));
        }
        fail(fault(FormulaFault::MissingOperand, items_[std::min(at_, items_.size() - 1)].begin,
                   text(kReasonEmptyParentheses)));
    }

    // Two operands side by side; a blank between them is the likelier slip.
    void missingOperator() {
        const Item& item = items_[at_];
        const Item& before = items_[at_ - 1];
        const std::string_view previous = textOf(before);
        const std::size_t trailing = previous.find_last_not_of(" \t\r\n");
        if (trailing != std::string_view::npos && trailing + 1 < previous.size()) {
            return fail(
                fault(FormulaFault::Blank, before.begin + trailing + 1, text(kReasonBlank)));
        }
        fail(fault(FormulaFault::MissingOperator, item.begin, text(kReasonMissingOperator)));
    }

    std::string_view formula_;
    std::vector<Item> items_;
    std::size_t emptied_ = 0;  // where a formula of empty parentheses begins
    std::size_t at_ = 0;
    std::optional<Fault> found_;
};

// The decimal text of mantissa times ten to the power -shift ("1", 5 gives
// "0.00001").
std::string shiftedLeft(std::string_view mantissa, std::size_t shift) {
    std::string digits;
    std::size_t point = mantissa.size();
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.') {
            point = i;
        } else {
            digits += mantissa[i];
        }
    }
    std::string result;
    if (point <= shift) {
        result = "0." + std::string(shift - point, '0') + digits;
    } else {
        result = digits.substr(0, point - shift) + "." + digits.substr(point - shift);
    }
    while (!result.empty() && result.back() == '0') result.pop_back();
    if (!result.empty() && result.back() == '.') result.pop_back();
    return result;
}

// Whether the compiler gives formula a value in the precision of Value.
template <class Value>
bool hasValue(std::string_view formula) {
    // Large enough to keep off the stack of a worker thread.
    const auto compiled = std::make_unique<BasicCompiledExpression<Value>>();
    CompileExpression(*compiled, formula);
    return compiled->hasValue;
}

// Numbers that read otherwise than they look: "1e-5" (1e, minus 5, where the
// exponent takes no sign) and "12abc" (12).
void warn(std::string_view formula, const std::vector<Item>& items, FormulaDiagnosis& d) {
    for (std::size_t i = 0; i < items.size() && d.warnings.size() < kMostWarnings; ++i) {
        if (items[i].kind != 'n') continue;
        const std::string_view token =
            formula.substr(items[i].begin, items[i].end - items[i].begin);
        // A named constant (pi, e) is a number with nothing to misread.
        if (!isNumberStart(token.front())) continue;
        const std::size_t read = decimalPrefixLength(token);
        const std::string_view tail = token.substr(read);
        const int position = positionOf(formula, items[i].begin);
        const bool signedExponent = (tail == "e" || tail == "E") && i + 2 < items.size() &&
                                    (items[i + 1].kind == '-' || items[i + 1].kind == '+') &&
                                    items[i + 2].kind == 'n';
        if (signedExponent) {
            const Item& exponent = items[i + 2];
            const std::string_view digits =
                formula.substr(exponent.begin, exponent.end - exponent.begin);
            const auto length = static_cast<std::size_t>(
                std::find_if_not(digits.begin(), digits.end(), isDecimalDigit) - digits.begin());
            const std::string whole(
                formula.substr(items[i].begin, exponent.begin + length - items[i].begin));
            const std::string_view sign = items[i + 1].kind == '-' ? "-" : "+";
            std::string writing = std::string(token) + std::string(digits.substr(0, length));
            if (sign == "-" && length > 0 && length <= 3) {
                writing = shiftedLeft(
                    token.substr(0, read),
                    static_cast<std::size_t>(std::stoi(std::string(digits.substr(0, length)))));
            }
            d.warnings.push_back(
                {position, FormatString(kWarnExponentSign, {whole, sign, writing})});
        } else if (!tail.empty() && tail.find_first_not_of(" \t\r\n") != std::string_view::npos) {
            d.warnings.push_back(
                {position, FormatString(kWarnIgnoredTail, {token, token.substr(0, read)})});
        }
    }
}

}  // namespace

FormulaDiagnosis DiagnoseFormula(std::string_view formula, Precision precision) {
    FormulaDiagnosis d;
    d.readable =
        precision == Precision::Single ? hasValue<float>(formula) : hasValue<double>(formula);
    std::vector<Item> items;
    std::optional<Fault> found;
    for (FormulaScanner scanner(formula, precision); const auto piece = scanner.next();) {
        if (piece->isToken()) {
            if (!found) found = tokenFault(formula, piece->begin, piece->end(), precision);
            // An unknown name or a constant stands where an operand would.
            const char kind = isFunctionName(piece->text, precision) ? 'f' : 'n';
            items.push_back({kind, piece->begin, piece->end()});
            continue;
        }
        items.push_back(
            {piece->delimiter == 'x' ? 'v' : piece->delimiter, piece->begin, piece->end()});
        // The element count decides nothing past the limit.
        if (items.size() > static_cast<std::size_t>(kMaxElements) + 1) break;
    }

    if (!d.readable) {
        if (formula.empty()) {
            found = fault(FormulaFault::Empty, 0, text(kReasonEmpty));
        } else {
            // The fault a person reads first: the one that starts first.
            std::optional<Fault> shape;
            if (items.size() > static_cast<std::size_t>(kMaxElements)) {
                shape = fault(FormulaFault::TooManyElements, items[kMaxElements].begin,
                              text(kReasonTooManyElements));
            } else {
                shape = ShapeCheck(formula, items).run();
            }
            if (shape && (!found || shape->offset < found->offset)) found = std::move(shape);
        }
        if (found) {
            d.fault = found->fault;
            d.position = positionOf(formula, found->offset);
            d.reason = std::move(found->reason);
        }
        return d;
    }
    warn(formula, items, d);
    return d;
}

std::string DiagnosisLine(int position, std::string_view reason) {
    return FormatString(kDiagnosisLine, {std::to_string(position), reason});
}
