// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "expr/compiled_expression.h"

// Turns a formula text (UTF-8) into the compiled form, in the language and the
// value type of the expression's precision. Never fails: a text that is not a
// formula compiles to one that evaluates to NaN.
void CompileExpression(CompiledExpression& expr, std::string_view text);
void CompileExpression(CompiledExpressionD& expr, std::string_view text);

// The same, into the program-wide compiled formula (single precision).
void CompileExpression(std::string_view text);
