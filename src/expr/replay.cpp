#include "expr/replay.h"

#include <cmath>

#include "expr/operations.h"
#include "expr/reduction.h"

namespace {

// Opcodes. Binary operators come in three operand forms: register-register,
// register-constant and constant-register (constant-constant is folded away).
enum Opcode : std::uint8_t {
    kSine,
    kCosine,
    kTangent,
    kCotangent,
    kNaturalLog,
    kDecimalLog,
    kAbsolute,
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

struct PlanElement {
    char code = 0;
    ReplayOperand operand{};
};

ReplayOperand constantOperand(float value) { return ReplayOperand{true, 0, value}; }

// Records the operations of the reduction instead of computing them, and
// computes at once those whose operands are all constants.
class PlanApply {
  public:
    explicit PlanApply(ReplayPlan& plan) : plan_(plan) {}

    void function(PlanElement& function, const PlanElement& operand) {
        const ReplayOperand& v = operand.operand;
        function.operand =
            v.isConstant
                ? constantOperand(applyFunction(function.code, v.constant))
                : emit(static_cast<std::uint8_t>(kSine + (function.code - 'a')), v.index, 0);
        function.code = ElementCode::kNumber;
    }

    void binary(PlanElement& left, char op, const PlanElement& right) {
        const ReplayOperand& a = left.operand;
        const ReplayOperand& b = right.operand;
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

    void negate(PlanElement& minus, const PlanElement& operand) {
        const ReplayOperand& v = operand.operand;
        minus.operand =
            v.isConstant ? constantOperand(applyNegation(v.constant)) : emit(kNegate, v.index, 0);
        minus.code = ElementCode::kNumber;
    }

  private:
    std::uint16_t addConstant(float value) {
        plan_.constants[constantCount_] = value;
        return static_cast<std::uint16_t>(constantCount_++);
    }

    // Every step writes a register of its own (0 is x); a formula of n
    // elements has fewer than n steps, so registers and constants fit.
    ReplayOperand emit(std::uint8_t opcode, std::uint16_t left, std::uint16_t right) {
        const auto target = static_cast<std::uint16_t>(plan_.stepCount + 1);
        plan_.steps[plan_.stepCount++] = ReplayStep{opcode, target, left, right};
        return ReplayOperand{false, target, 0.0f};
    }

    ReplayPlan& plan_;
    int constantCount_ = 0;
};

}  // namespace

void BuildReplayPlan(CompiledExpression& expr) {
    ReplayPlan& plan = expr.plan;
    plan.stepCount = 0;
    plan.result = constantOperand(NAN);
    if (!expr.readable) return;

    PlanElement elements[kMaxElements];
    const int count = expr.count;
    for (int i = 0; i < count; ++i) {
        const ExprElement& source = expr.elements[i];
        if (source.code == ElementCode::kVariable) {
            elements[i] = {ElementCode::kNumber, ReplayOperand{false, 0, 0.0f}};
        } else {
            elements[i] = {source.code, constantOperand(source.value)};
        }
    }
    PlanApply apply(plan);
    Reduction<PlanElement, PlanApply> reduction(elements, apply);
    if (reduction.reduceRange(0, count, expr.openParens) && reducedToOneNumber(elements, count)) {
        plan.result = elements[0].operand;
        if (plan.result.isConstant) plan.result.constant = formulaResult(plan.result.constant);
    } else {
        plan.stepCount = 0;
    }
}

float ReplayExpression(const ReplayPlan& plan, float x) {
    if (plan.result.isConstant) return plan.result.constant;
    float r[kMaxElements];  // registers; each is written before it is read
    r[0] = x;
    const float* k = plan.constants.data();
    const ReplayStep* step = plan.steps.data();
    const ReplayStep* const last = step + plan.stepCount;
    for (; step != last; ++step) {
        const int t = step->target;
        const int a = step->left;
        const int b = step->right;
        switch (step->opcode) {
#define MEXORA_FUNCTION_CASE(OPCODE, CODE) \
    case OPCODE:                           \
        r[t] = applyFunction(CODE, r[a]);  \
        break;
            MEXORA_FUNCTION_CASE(kSine, ElementCode::kSine)
            MEXORA_FUNCTION_CASE(kCosine, ElementCode::kCosine)
            MEXORA_FUNCTION_CASE(kTangent, ElementCode::kTangent)
            MEXORA_FUNCTION_CASE(kCotangent, ElementCode::kCotangent)
            MEXORA_FUNCTION_CASE(kNaturalLog, ElementCode::kNaturalLog)
            MEXORA_FUNCTION_CASE(kDecimalLog, ElementCode::kDecimalLog)
            MEXORA_FUNCTION_CASE(kAbsolute, ElementCode::kAbsolute)
#undef MEXORA_FUNCTION_CASE
            case kNegate:
                r[t] = applyNegation(r[a]);
                break;
#define MEXORA_BINARY_CASES(NAME, OP)         \
    case k##NAME##RR:                         \
        r[t] = applyOperator<OP>(r[a], r[b]); \
        break;                                \
    case k##NAME##RK:                         \
        r[t] = applyOperator<OP>(r[a], k[b]); \
        break;                                \
    case k##NAME##KR:                         \
        r[t] = applyOperator<OP>(k[a], r[b]); \
        break;
                MEXORA_BINARY_CASES(Power, '^')
                MEXORA_BINARY_CASES(Root, '#')
                MEXORA_BINARY_CASES(Divide, '/')
                MEXORA_BINARY_CASES(Multiply, '*')
                MEXORA_BINARY_CASES(Subtract, '-')
                MEXORA_BINARY_CASES(Add, '+')
#undef MEXORA_BINARY_CASES
        }
    }
    return formulaResult(r[plan.result.index]);
}
