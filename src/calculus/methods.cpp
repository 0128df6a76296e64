// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric methods on compiled formulas.
#include "calculus/derivative.h"
#include "calculus/integral.h"
#include "calculus/root_solver.h"

double Integral(const CompiledExpression& expr, double a, double b, double eps, int depth,
                int& failed, WorkControl* control) {
    return Integral(CompiledFormula{expr}, a, b, eps, depth, failed, control);
}

double Derivative(const CompiledExpression& expr, double x0, double h0, double eps, int depth,
                  int& failed, WorkControl* control) {
    return Derivative(CompiledFormula{expr}, x0, h0, eps, depth, failed, control);
}

double FindRoot(const CompiledExpression& expr, double a, double b, double delta, double eps,
                int& noRoot, WorkControl* control) {
    return FindRoot(CompiledFormula{expr}, a, b, delta, eps, noRoot, control);
}
