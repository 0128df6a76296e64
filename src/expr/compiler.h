// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/precision.h"
#include "expr/compiled_expression.h"

// Turns a formula text (UTF-8) into the compiled form, in the language and the
// value type of the expression's precision. Never fails: a text that is not a
// formula compiles to one that evaluates to NaN.
void CompileExpression(CompiledExpression& expr, std::string_view text);
void CompileExpression(CompiledExpressionD& expr, std::string_view text);

// A formula of language's text into doubles: with Single, the formula the
// single-precision mode computes, every value kept in double. The error
// estimates of that mode compare against it.
void CompileExpression(CompiledExpressionD& expr, std::string_view text, Precision language);

// The same, into the program-wide compiled formula (single precision).
void CompileExpression(std::string_view text);
