// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expr/compiled_expression.h"

// Works out the plan of expr from its elements (after tokenizing).
void BuildReplayPlan(CompiledExpression& expr);
void BuildReplayPlan(CompiledExpressionD& expr);

// Runs a plan at x: the same operations, on the same values, in an order that
// respects every dependency, so the result has the same bits as the reduction.
float ReplayExpression(const ReplayPlan& plan, float x);
double ReplayExpression(const ReplayPlanD& plan, double x);

// Runs a plan at count points at once, each result with the bits that
// ReplayExpression gives at that point. Each step then costs one dispatch for a
// whole batch, and its loop runs over plain arrays.
void ReplayExpressionBatch(const ReplayPlan& plan, const float* xs, float* results, int count);
void ReplayExpressionBatch(const ReplayPlanD& plan, const double* xs, double* results, int count);
