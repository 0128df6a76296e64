// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/compiler.h"

#include <string>

#include "core/number_text.h"
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
            // The longest leading number; the rest of the token is ignored.
            // A token holds no sign, since "+" and "-" are delimiters.
            const std::size_t length = decimalPrefixLength(token);
            if (length == 0) expr_.readable = false;  // "." or ".e": no number to read
            emit(ElementCode::kNumber,
                 length == 0 ? 0.0f : decimalToFloat(token.substr(0, length)));
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
