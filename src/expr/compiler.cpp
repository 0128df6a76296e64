// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/compiler.h"

#include "core/number_text.h"
#include "expr/lexicon.h"
#include "expr/replay.h"

namespace {

template <class Value>
Value decimalToValue(std::string_view number) {
    if constexpr (std::is_same_v<Value, float>) {
        return decimalToFloat(number);
    } else {
        return decimalToDouble(number);
    }
}

template <class Value>
class Tokenizer {
  public:
    using Compiled = BasicCompiledExpression<Value>;

    Tokenizer(Compiled& expr, Precision language) : expr_(expr), language_(language) {}

    void run(std::string_view text) {
        expr_.openParens = 0;
        expr_.readable = true;
        for (FormulaScanner scanner(text, language_); const auto piece = scanner.next();) {
            if (piece->isToken()) {
                addToken(piece->text);
                continue;
            }
            if (piece->delimiter == '(') ++expr_.openParens;
            emit(piece->delimiter, 0);
        }
        expr_.count = written_;
        if (expr_.count == 0) expr_.readable = false;
    }

  private:
    void emit(char code, Value value) {
        if (written_ >= kMaxElements) {
            expr_.readable = false;  // too long to hold: the rest is dropped
            return;
        }
        expr_.elements[written_++] = BasicExprElement<Value>{code, value};
    }

    void addToken(std::string_view token) {
        if (token.size() > static_cast<std::size_t>(kMaxTokenLength)) {
            expr_.readable = false;
            emit(ElementCode::kUnknown, 0);
        } else if (isNumberStart(token.front())) {
            // The longest leading number; the rest of the token is ignored.
            const std::size_t length = decimalPrefixLength(token);
            if (length == 0) expr_.readable = false;  // "." or ".e": no number to read
            emit(ElementCode::kNumber,
                 length == 0 ? Value(0) : decimalToValue<Value>(token.substr(0, length)));
        } else if (const FormulaName* name = findFormulaName(token, language_)) {
            emit(name->code, static_cast<Value>(name->value));
        } else {
            expr_.readable = false;
            emit(ElementCode::kUnknown, 0);
        }
    }

    Compiled& expr_;
    Precision language_;
    int written_ = 0;
};

template <class Value>
void compile(BasicCompiledExpression<Value>& expr, std::string_view text,
             Precision language = BasicCompiledExpression<Value>::kPrecision) {
    Tokenizer<Value>(expr, language).run(text);
    BuildReplayPlan(expr);
}

}  // namespace

void CompileExpression(CompiledExpression& expr, std::string_view text) { compile(expr, text); }

void CompileExpression(CompiledExpressionD& expr, std::string_view text) { compile(expr, text); }

void CompileExpression(CompiledExpressionD& expr, std::string_view text, Precision language) {
    compile(expr, text, language);
}

void CompileExpression(std::string_view text) {
    CompileExpression(SharedCompiledExpression(), text);
}

CompiledExpression& SharedCompiledExpression() {
    static CompiledExpression shared;
    return shared;
}
