// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/replay.h"

#include <algorithm>
#include <cmath>

#include "expr/operations.h"
#include "expr/reduction.h"

namespace {

// Opcodes. The functions come first, in the order of their element codes.
// Binary operators come in three operand forms: register-register,
// register-constant and constant-register (constant-constant is folded away).
enum Opcode : std::uint8_t {
    kSine,
    kCosine,
    kTangent,
    kCotangent,
    kNaturalLog,
    kDecimalLog,
    kAbsolute,
    kExponential,
    kSquareRoot,
    kArcSine,
    kArcCosine,
    kArcTangent,
    kHyperbolicSine,
    kHyperbolicCosine,
    kHyperbolicTangent,
    kNegate,
    kPowerRR,
    kPowerRK,
    kPowerKR,
    kRootRR,
    kRootRK,
    kRootKR,
    kDivideRR,
    kDivideRK,
    kDivideKR,
    kMultiplyRR,
    kMultiplyRK,
    kMultiplyKR,
    kSubtractRR,
    kSubtractRK,
    kSubtractKR,
    kAddRR,
    kAddRK,
    kAddKR,
};

static_assert(kHyperbolicTangent - kSine == ElementCode::kHyperbolicTangent - ElementCode::kSine);

std::uint8_t binaryOpcode(char op) {
    switch (op) {
        case '^':
            return kPowerRR;
        case '#':
            return kRootRR;
        case '/':
            return kDivideRR;
        case '*':
            return kMultiplyRR;
        case '-':
            return kSubtractRR;
        default:
            return kAddRR;
    }
}

// Which operands of a step name registers (the others name constants).
struct RegisterOperands {
    bool left;
    bool right;
};

constexpr RegisterOperands registerOperands(std::uint8_t opcode) {
    if (opcode <= kNegate) return {true, false};
    return {(opcode - kPowerRR) % 3 != 2, (opcode - kPowerRR) % 3 != 1};
}

// The planner gives every step a register of its own. The steps form a tree,
// so every value but x is read exactly once, and its register can be reused
// right after. A step never writes a register it reads, which lets the batch
// loops treat operands and target as distinct arrays.
template <class Value>
void reuseRegisters(BasicReplayPlan<Value>& plan) {
    std::array<std::uint16_t, kMaxElements + 1> assigned{};  // value -> register; x stays in 0
    std::array<std::uint16_t, kMaxElements> free{};
    int freeCount = 0;
    int registers = 1;
    for (int s = 0; s < plan.stepCount; ++s) {
        ReplayStep& step = plan.steps[s];
        const std::uint16_t target =
            freeCount > 0 ? free[--freeCount] : static_cast<std::uint16_t>(registers++);
        auto read = [&](std::uint16_t& operand) {
            operand = assigned[operand];
            if (operand != 0) free[freeCount++] = operand;
        };
        const RegisterOperands reads = registerOperands(step.opcode);
        if (reads.left) read(step.left);
        if (reads.right) read(step.right);
        assigned[step.target] = target;
        step.target = target;
    }
    if (!plan.result.isConstant) plan.result.index = assigned[plan.result.index];
    plan.registerCount = registers;
}

template <class Value>
struct PlanElement {
    char code = 0;
    BasicReplayOperand<Value> operand{};
};

template <class Value>
BasicReplayOperand<Value> constantOperand(Value value) {
    return BasicReplayOperand<Value>{true, 0, value};
}

// Records the operations of the reduction instead of computing them, and
// computes at once those whose operands are all constants.
template <class Value>
class PlanApply {
  public:
    using Element = PlanElement<Value>;
    using Operand = BasicReplayOperand<Value>;

    explicit PlanApply(BasicReplayPlan<Value>& plan) : plan_(plan) {}

    void function(Element& function, const Element& operand) {
        const Operand& v = operand.operand;
        function.operand =
            v.isConstant
                ? constantOperand(applyFunction(function.code, v.constant))
                : emit(static_cast<std::uint8_t>(kSine + (function.code - ElementCode::kSine)),
                       v.index, 0);
        function.code = ElementCode::kNumber;
    }

    void binary(Element& left, char op, const Element& right) {
        const Operand& a = left.operand;
        const Operand& b = right.operand;
        const std::uint8_t rr = binaryOpcode(op);
        if (a.isConstant && b.isConstant) {
            left.operand = constantOperand(applyOperator(op, a.constant, b.constant));
        } else if (a.isConstant) {
            left.operand = emit(rr + 2, addConstant(a.constant), b.index);
        } else if (b.isConstant) {
            left.operand = emit(rr + 1, a.index, addConstant(b.constant));
        } else {
            left.operand = emit(rr, a.index, b.index);
        }
        left.code = ElementCode::kNumber;
    }

    void negate(Element& minus, const Element& operand) {
        const Operand& v = operand.operand;
        minus.operand =
            v.isConstant ? constantOperand(applyNegation(v.constant)) : emit(kNegate, v.index, 0);
        minus.code = ElementCode::kNumber;
    }

  private:
    std::uint16_t addConstant(Value value) {
        plan_.constants[constantCount_] = value;
        return static_cast<std::uint16_t>(constantCount_++);
    }

    // Every step writes a register of its own (0 is x); a formula of n
    // elements has fewer than n steps, so registers and constants fit.
    Operand emit(std::uint8_t opcode, std::uint16_t left, std::uint16_t right) {
        const auto target = static_cast<std::uint16_t>(plan_.stepCount + 1);
        plan_.steps[plan_.stepCount++] = ReplayStep{opcode, target, left, right};
        return Operand{false, target, 0};
    }

    BasicReplayPlan<Value>& plan_;
    int constantCount_ = 0;
};

template <class Value>
void buildReplayPlan(BasicCompiledExpression<Value>& expr) {
    BasicReplayPlan<Value>& plan = expr.plan;
    plan.stepCount = 0;
    plan.registerCount = 1;
    plan.result = constantOperand(static_cast<Value>(NAN));
    expr.hasValue = false;
    if (!expr.readable) return;

    PlanElement<Value> elements[kMaxElements];
    const int count = expr.count;
    for (int i = 0; i < count; ++i) {
        const BasicExprElement<Value>& source = expr.elements[i];
        if (source.code == ElementCode::kVariable) {
            elements[i] = {ElementCode::kNumber, BasicReplayOperand<Value>{false, 0, 0}};
        } else {
            elements[i] = {source.code, constantOperand(source.value)};
        }
    }
    PlanApply<Value> apply(plan);
    Reduction<PlanElement<Value>, PlanApply<Value>> reduction(elements, apply);
    if (reduction.reduceRange(0, count, expr.openParens) && reducedToOneNumber(elements, count)) {
        expr.hasValue = true;
        plan.result = elements[0].operand;
        reuseRegisters(plan);
        if (plan.result.isConstant) plan.result.constant = formulaResult(plan.result.constant);
    } else {
        plan.stepCount = 0;
    }
}

// What one step computes from its two operand values.
template <std::uint8_t Op, class Value>
inline Value kernel(Value a, [[maybe_unused]] Value b) {
    if constexpr (Op < kNegate) {
        return applyFunction(static_cast<char>(ElementCode::kSine + Op), a);
    } else if constexpr (Op == kNegate) {
        return applyNegation(a);
    } else {
        constexpr char kOperators[] = "^#/*-+";
        return applyOperator<kOperators[(Op - kPowerRR) / 3]>(a, b);
    }
}

template <std::uint8_t Op>
inline constexpr RegisterOperands kReads = registerOperands(Op);

template <std::uint8_t Op, class Value>
inline void scalarStep(Value* r, const Value* k, const ReplayStep& step) {
    const Value a = kReads<Op>.left ? r[step.left] : k[step.left];
    const Value b = kReads<Op>.right ? r[step.right] : k[step.right];
    r[step.target] = kernel<Op>(a, b);
}

// One step over a batch of points; register i of the batch is lanes[i * width].
template <std::uint8_t Op, class Value>
inline void batchStep(Value* lanes, int width, int n, const Value* k, const ReplayStep& step) {
    Value* __restrict out = lanes + step.target * width;
    if constexpr (kReads<Op>.left && kReads<Op>.right) {
        const Value* __restrict a = lanes + step.left * width;
        const Value* __restrict b = lanes + step.right * width;
        for (int i = 0; i < n; ++i) out[i] = kernel<Op>(a[i], b[i]);
    } else if constexpr (kReads<Op>.left) {
        const Value* __restrict a = lanes + step.left * width;
        const Value kb = k[step.right];
        for (int i = 0; i < n; ++i) out[i] = kernel<Op>(a[i], kb);
    } else {
        const Value* __restrict b = lanes + step.right * width;
        const Value ka = k[step.left];
        for (int i = 0; i < n; ++i) out[i] = kernel<Op>(ka, b[i]);
    }
}

// clang-format off
#define MEXORA_REPLAY_OPCODES(X)                                                              \
    X(kSine) X(kCosine) X(kTangent) X(kCotangent) X(kNaturalLog) X(kDecimalLog) X(kAbsolute) \
    X(kExponential) X(kSquareRoot) X(kArcSine) X(kArcCosine) X(kArcTangent)                  \
    X(kHyperbolicSine) X(kHyperbolicCosine) X(kHyperbolicTangent)                            \
    X(kNegate) X(kPowerRR) X(kPowerRK) X(kPowerKR) X(kRootRR) X(kRootRK) X(kRootKR)          \
    X(kDivideRR) X(kDivideRK) X(kDivideKR) X(kMultiplyRR) X(kMultiplyRK) X(kMultiplyKR)      \
    X(kSubtractRR) X(kSubtractRK) X(kSubtractKR) X(kAddRR) X(kAddRK) X(kAddKR)
// clang-format on

constexpr int kBatchWidth = 64;
// 32 KiB of stack: 128 registers at full width in single precision, 64 in double.
template <class Value>
constexpr int kBatchLanes = 32768 / static_cast<int>(sizeof(Value));

// The entry points below are each replay's one caller; inlined there, a point
// costs no call more than it did before the value type became a parameter.
template <class Value>
[[gnu::always_inline]] inline Value replay(const BasicReplayPlan<Value>& plan, Value x) {
    if (plan.result.isConstant) return plan.result.constant;
    Value r[kMaxElements];  // registers; each is written before it is read
    r[0] = x;
    const Value* k = plan.constants.data();
    const ReplayStep* const last = plan.steps.data() + plan.stepCount;
    for (const ReplayStep* step = plan.steps.data(); step != last; ++step) {
        switch (step->opcode) {
#define MEXORA_SCALAR_CASE(OP)       \
    case OP:                         \
        scalarStep<OP>(r, k, *step); \
        break;
            MEXORA_REPLAY_OPCODES(MEXORA_SCALAR_CASE)
#undef MEXORA_SCALAR_CASE
        }
    }
    return formulaResult(r[plan.result.index]);
}

template <class Value>
[[gnu::always_inline]] inline void replayBatch(const BasicReplayPlan<Value>& plan, const Value* xs,
                                               Value* results, int count) {
    if (plan.result.isConstant) {
        for (int i = 0; i < count; ++i) results[i] = plan.result.constant;
        return;
    }
    // Each register beyond x holds a value computed from at least two elements
    // and waiting for an operator, so a plan has at most about 340 registers
    // and the width never falls below 24 in single precision, 12 in double.
    constexpr int kLanes = kBatchLanes<Value>;
    const int width = std::min(kBatchWidth, kLanes / plan.registerCount);
    alignas(64) Value lanes[kLanes];
    const Value* k = plan.constants.data();
    const ReplayStep* const last = plan.steps.data() + plan.stepCount;
    for (int base = 0; base < count; base += width) {
        const int n = std::min(width, count - base);
        std::copy_n(xs + base, n, lanes);
        for (const ReplayStep* step = plan.steps.data(); step != last; ++step) {
            switch (step->opcode) {
#define MEXORA_BATCH_CASE(OP)                     \
    case OP:                                      \
        batchStep<OP>(lanes, width, n, k, *step); \
        break;
                MEXORA_REPLAY_OPCODES(MEXORA_BATCH_CASE)
#undef MEXORA_BATCH_CASE
            }
        }
        const Value* result = lanes + plan.result.index * width;
        for (int i = 0; i < n; ++i) results[base + i] = formulaResult(result[i]);
    }
}

}  // namespace

void BuildReplayPlan(CompiledExpression& expr) { buildReplayPlan(expr); }

void BuildReplayPlan(CompiledExpressionD& expr) { buildReplayPlan(expr); }

float ReplayExpression(const ReplayPlan& plan, float x) { return replay(plan, x); }

double ReplayExpression(const ReplayPlanD& plan, double x) { return replay(plan, x); }

void ReplayExpressionBatch(const ReplayPlan& plan, const float* xs, float* results, int count) {
    replayBatch(plan, xs, results, count);
}

void ReplayExpressionBatch(const ReplayPlanD& plan, const double* xs, double* results, int count) {
    replayBatch(plan, xs, results, count);
}
