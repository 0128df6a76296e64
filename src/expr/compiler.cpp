#include "expr/compiler.h"

#include <locale.h>
#include <stdlib.h>

#include <string>

#include "expr/replay.h"

namespace {

constexpr std::string_view kDelimiters = "()+-*/^#x";

struct FunctionName {
    std::string_view name;
    char code;
};

// Compared in this order, exactly and case-sensitively.
constexpr FunctionName kFunctionNames[] = {
    {"sin", ElementCode::kSine},      {"cos", ElementCode::kCosine},
    {"tg", ElementCode::kTangent},    {"ctg", ElementCode::kCotangent},
    {"ln", ElementCode::kNaturalLog}, {"lg", ElementCode::kDecimalLog},
    {"abs", ElementCode::kAbsolute},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest leading decimal constant of a token: digits, an
// optional point with fraction digits, and an exponent letter with digits
// (taken only when digits follow it). Zero when no mantissa digit is present.
std::size_t decimalPrefixLength(std::string_view token) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < token.size() && isDigit(token[i])) ++i, ++digits;
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && isDigit(token[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i + 1 < token.size() && (token[i] == 'e' || token[i] == 'E') && isDigit(token[i + 1])) {
        i += 2;
        while (i < token.size() && isDigit(token[i])) ++i;
    }
    return i;
}

// Correctly rounded decimal-to-single conversion, independent of the process
// locale (the point is always "."); overflow gives infinity, as scanf does.
float toFloat(std::string_view decimal) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string text(decimal);
    return strtof_l(text.c_str(), nullptr, cLocale);
}

class Tokenizer {
  public:
    explicit Tokenizer(CompiledExpression& expr) : expr_(expr) {}

    void run(std::string_view text) {
        expr_.openParens = 0;
        expr_.readable = true;
        for (char c : text) {
            if (kDelimiters.find(c) == std::string_view::npos) {
                token_.push_back(c);
                continue;
            }
            if (c == '(') ++expr_.openParens;
            closeToken();
            emit(c, 0.0f);
        }
        closeToken();
        expr_.count = written_;
        if (expr_.count == 0) expr_.readable = false;
    }

  private:
    void emit(char code, float value) {
        if (written_ >= kMaxElements) {
            expr_.readable = false;  // too long to hold: the rest is dropped
            return;
        }
        expr_.elements[written_++] = ExprElement{code, value};
    }

    void closeToken() {
        if (token_.empty()) return;
        const std::string_view token = token_;
        if (token.size() > static_cast<std::size_t>(kMaxTokenLength)) {
            expr_.readable = false;
            emit(ElementCode::kUnknown, 0.0f);
        } else if (isDigit(token.front()) || token.front() == '.') {
            const std::size_t length = decimalPrefixLength(token);
            if (length == 0) expr_.readable = false;  // "." or ".e": no number to read
            emit(ElementCode::kNumber, length == 0 ? 0.0f : toFloat(token.substr(0, length)));
        } else {
            char code = ElementCode::kUnknown;
            for (const FunctionName& function : kFunctionNames) {
                if (token == function.name) {
                    code = function.code;
                    break;
                }
            }
            if (code == ElementCode::kUnknown) expr_.readable = false;
            emit(code, 0.0f);
        }
        token_.clear();
    }

    CompiledExpression& expr_;
    std::string token_;
    int written_ = 0;
};

}  // namespace

void CompileExpression(CompiledExpression& expr, std::string_view text) {
    Tokenizer(expr).run(text);
    BuildReplayPlan(expr);
}

void CompileExpression(std::string_view text) {
    CompileExpression(SharedCompiledExpression(), text);
}

CompiledExpression& SharedCompiledExpression() {
    static CompiledExpression shared;
    return shared;
}
