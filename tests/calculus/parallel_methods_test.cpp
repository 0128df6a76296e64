// SPDX-License-Identifier: GPL-3.0-or-later
// The methods on a pool of several threads against one thread, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cstdint>
#include <memory>

#include "calculus/double_progression.h"
#include "calculus/integral.h"
#include "calculus/progression.h"
#include "core/thread_pool.h"
#include "expr/compiler.h"

namespace {

using namespace std::chrono_literals;

// Spread from the first point: in tasks of one point, and in the real sizes.
ThreadPool& finePool() {
    static ThreadPool pool(4, {.serialHead = 0ns, .taskDivisor = 1 << 12});
    return pool;
}
ThreadPool& coarsePool() {
    static ThreadPool pool(3, {.serialHead = 0ns});
    return pool;
}

struct Compiled {
    explicit Compiled(const char* text) : expr(std::make_unique<CompiledExpression>()) {
        CompileExpression(*expr, text);
    }
    CompiledFormula formula() const { return {*expr}; }
    std::unique_ptr<CompiledExpression> expr;
};

// The bits of a result and how it ended, so that NaN compares too.
struct Outcome {
    std::uint64_t bits;
    int end;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << std::bit_cast<double>(o.bits) << " (end " << o.end << ")";
}

template <class Run>
void expectSameOnEveryPool(Run run) {
    ThreadPool serial(1);
    Outcome expected{};
    {
        const UsingThreadPool use(serial);
        expected = run();
    }
    for (ThreadPool* pool : {&finePool(), &coarsePool()}) {
        const UsingThreadPool use(*pool);
        EXPECT_EQ(run(), expected) << pool->threads() << " threads";
    }
}

struct ProgressionCase {
    const char* formula;
    double from, to, step;
};

void PrintTo(const ProgressionCase& c, std::ostream* out) {
    *out << c.formula << " from " << c.from << " to " << c.to << " step " << c.step;
}

class ParallelProgression : public testing::TestWithParam<ProgressionCase> {};

TEST_P(ParallelProgression, SumAndProductKeepTheirBits) {
    const ProgressionCase& c = GetParam();
    const Compiled f(c.formula);
    for (auto method : {SumProgression<CompiledFormula>, MultiplyProgression<CompiledFormula>}) {
        expectSameOnEveryPool([&] {
            double result = 0.0;
            const ProgressionEnd end = method(f.formula(), c.from, c.to, c.step, result, nullptr);
            return Outcome{std::bit_cast<std::uint64_t>(result), static_cast<int>(end)};
        });
    }
}

TEST_P(ParallelProgression, DoubleSumAndProductKeepTheirBits) {
    const ProgressionCase& c = GetParam();
    const auto expr = std::make_unique<CompiledExpressionD>();
    CompileExpression(*expr, c.formula);
    for (auto method : {DoubleSum<CompiledFormulaD>, DoubleProduct<CompiledFormulaD>}) {
        expectSameOnEveryPool([&] {
            const Estimate e = method(CompiledFormulaD{*expr}, c.from, c.to, c.step, nullptr);
            return Outcome{std::bit_cast<std::uint64_t>(e.value), e.reached};
        });
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParallelProgression,
                         testing::Values(
                             // The accumulated last point rounds onto the bound, or just past it.
                             ProgressionCase{"x", 0, 1, 0.1}, ProgressionCase{"x", 0, 0.3, 0.1},
                             // Terms of very different sizes: any other order of addition shows.
                             ProgressionCase{"(x-1500)^5", 0, 3000, 0.7},
                             ProgressionCase{"sin(2*(x+1))*cos(x)", 1, 50000, 1},
                             ProgressionCase{"1+x/100000", 0, 20000, 0.25},
                             // An infinity, then NaN, part way.
                             ProgressionCase{"1/(x-7)", -2000, 2000, 0.5},
                             // x stops moving after about a hundred points: the end is Stuck.
                             ProgressionCase{"x", 9007199254740892.0, 1e300, 1}));

struct IntegralCase {
    const char* formula;
    double a, b, eps;
    int depth;
};

void PrintTo(const IntegralCase& c, std::ostream* out) {
    *out << c.formula << " from " << c.a << " to " << c.b << " eps " << c.eps << " depth "
         << c.depth;
}

class ParallelIntegral : public testing::TestWithParam<IntegralCase> {};

TEST_P(ParallelIntegral, KeepsItsBits) {
    const IntegralCase& c = GetParam();
    const Compiled f(c.formula);
    expectSameOnEveryPool([&] {
        int failed = 0;
        const double r = Integral(f.formula(), c.a, c.b, c.eps, c.depth, failed);
        return Outcome{std::bit_cast<std::uint64_t>(r), failed};
    });
}

// Accepted at levels 9, 16 and 17; failed at the depth; NaN from level 2.
INSTANTIATE_TEST_SUITE_P(Cases, ParallelIntegral,
                         testing::Values(IntegralCase{"sin(2*(x+1))*cos(x)", 0, 3, 1e-9, 24},
                                         IntegralCase{"1/(1+x*x)", 0, 3, 1e-9, 24},
                                         IntegralCase{"x^0.5", 0, 3, 1e-7, 24},
                                         IntegralCase{"x^0.5", 0, 3, 1e-8, 15},
                                         IntegralCase{"ln(x)", 0, 1, 1e-300, 12}));

// A cancel asked for before the start ends both methods after a block.
TEST(ParallelMethods, CancellationStopsBetweenBlocks) {
    const Compiled f("x");
    const UsingThreadPool use(finePool());
    WorkControl sumControl, integralControl;
    sumControl.requestCancel();
    integralControl.requestCancel();
    double sum = 0.0;
    EXPECT_EQ(SumProgression(f.formula(), 0, 1e12, 1, sum, &sumControl), ProgressionEnd::Cancelled);
    int failed = 0;
    EXPECT_EQ(Integral(f.formula(), 0, 1, 1e-300, 60, failed, &integralControl), 0.0);
    EXPECT_EQ(failed, 0);
    for (const WorkControl* control : {&sumControl, &integralControl}) {
        EXPECT_LT(control->points(), 1000u);
    }
}

}  // namespace
