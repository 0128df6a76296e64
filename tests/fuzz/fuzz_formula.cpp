// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a formula: the replay plan, one point at a time and batched,
// gives the bits of the literal reduction, and the reduction leaves the
// compiled formula as it found it; the diagnosis agrees with the compiler and
// names a character of the text for every formula that has no value.
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>

#include "expr/compiler.h"
#include "expr/diagnosis.h"
#include "expr/evaluator.h"
#include "fuzz_support.h"

namespace {

constexpr std::array<float, 12> kXs{0.0f,
                                    -0.0f,
                                    1.0f,
                                    -2.5f,
                                    0.5f,
                                    3.14159265f,
                                    1e-7f,
                                    1e-40f,
                                    1e30f,
                                    -1e30f,
                                    std::numeric_limits<float>::infinity(),
                                    std::numeric_limits<float>::quiet_NaN()};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto expr = std::make_unique<CompiledExpression>();
    CompileExpression(*expr, text);
    const auto before = std::make_unique<CompiledExpression>(*expr);

    std::array<float, kXs.size()> batch{};
    EvaluateExpressionBatch(*expr, kXs.data(), batch.data(), static_cast<int>(kXs.size()));
    for (std::size_t i = 0; i < kXs.size(); ++i) {
        const float x = kXs[i];
        const float literal = EvaluateExpressionLiteral(*expr, x);
        const float single = EvaluateExpression(*expr, x);
        FUZZ_CHECK(floatBits(single) == floatBits(literal),
                   "\"%s\" at x = %g: replay %g, literal %g", printable(text).c_str(), x, single,
                   literal);
        FUZZ_CHECK(floatBits(batch[i]) == floatBits(literal),
                   "\"%s\" at x = %g: batch %g, literal %g", printable(text).c_str(), x, batch[i],
                   literal);
    }
    const int count = expr->count;
    FUZZ_CHECK(
        count == before->count && std::equal(expr->elements.begin(), expr->elements.begin() + count,
                                             before->elements.begin(),
                                             [](const ExprElement& a, const ExprElement& b) {
                                                 return a.code == b.code &&
                                                        floatBits(a.value) == floatBits(b.value);
                                             }),
        "\"%s\": the literal reduction changed the compiled formula", printable(text).c_str());
    const FormulaDiagnosis diagnosis = DiagnoseFormula(text);
    FUZZ_CHECK(diagnosis.readable == expr->hasValue &&
                   diagnosis.readable == diagnosis.reason.empty() &&
                   (diagnosis.readable ||
                    (diagnosis.position >= 1 && diagnosis.position <= static_cast<int>(size) + 1)),
               "\"%s\": diagnosis readable %d at %d, compiler %d", printable(text).c_str(),
               diagnosis.readable, diagnosis.position, expr->hasValue);
    return 0;
}
