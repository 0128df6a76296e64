// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expr/compiled_expression.h"

// The value of a compiled formula at x, in the formula's precision; NaN when
// the formula has no value (unreadable, or its elements do not reduce to one
// number). Runs the replay plan: no rescanning, no allocation, and the
// compiled formula is never modified, so concurrent calls are safe.
float EvaluateExpression(const CompiledExpression& expr, float x);
double EvaluateExpression(const CompiledExpressionD& expr, double x);

// The same, on the program-wide compiled formula.
float EvaluateExpression(float x);

// The values at count points, each with the bits EvaluateExpression gives
// there; much faster per point when the points are known in advance.
void EvaluateExpressionBatch(const CompiledExpression& expr, const float* xs, float* results,
                             int count);
void EvaluateExpressionBatch(const CompiledExpressionD& expr, const double* xs, double* results,
                             int count);

// The reference evaluation: reduces a working copy of the element sequence in
// place and restores it before returning. Costs O(count^2) per call; the
// replay must give the same bits, and tests hold it to that.
float EvaluateExpressionLiteral(CompiledExpression& expr, float x);
double EvaluateExpressionLiteral(CompiledExpressionD& expr, double x);

// Reduces the elements [start, start + length) in place; the range's value is
// then the value of its first element. allowance is the number of grouping
// levels that may still be opened. False when the range has no value.
bool ReduceRange(CompiledExpression& expr, int start, int length, int allowance);
bool ReduceRange(CompiledExpressionD& expr, int start, int length, int allowance);

// Squeezes the deleted elements out of [start, start + length), keeping order.
void CompactRange(CompiledExpression& expr, int start, int length);
void CompactRange(CompiledExpressionD& expr, int start, int length);
