// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/compiler.h"

#include "core/number_text.h"
#include "expr/lexicon.h"
#include "expr/replay.h"

namespace {

class Tokenizer {
  public:
    explicit Tokenizer(CompiledExpression& expr) : expr_(expr) {}

    void run(std::string_view text) {
        expr_.openParens = 0;
        expr_.readable = true;
        for (FormulaScanner scanner(text); const auto piece = scanner.next();) {
            if (piece->isToken()) {
                addToken(piece->text);
                continue;
            }
            if (piece->delimiter == '(') ++expr_.openParens;
            emit(piece->delimiter, 0.0f);
        }
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

    void addToken(std::string_view token) {
        if (token.size() > static_cast<std::size_t>(kMaxTokenLength)) {
            expr_.readable = false;
            emit(ElementCode::kUnknown, 0.0f);
        } else if (isNumberStart(token.front())) {
            // The longest leading number; the rest of the token is ignored.
            const std::size_t length = decimalPrefixLength(token);
            if (length == 0) expr_.readable = false;  // "." or ".e": no number to read
            emit(ElementCode::kNumber,
                 length == 0 ? 0.0f : decimalToFloat(token.substr(0, length)));
        } else {
            const char code = functionCode(token);
            if (code == ElementCode::kUnknown) expr_.readable = false;
            emit(code, 0.0f);
        }
    }

    CompiledExpression& expr_;
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
