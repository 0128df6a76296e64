// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expr/compiled_expression.h"

// The reduction of a formula's element sequence, in place: grouping, then
// functions, then the binary operators one phase each in the order ^ # / * - +,
// each phase reducing its leftmost occurrence first. Consumed elements are
// marked deleted and squeezed out, so a range keeps its end while it shrinks.
//
// The same code serves the evaluator (Element holds values, Apply computes)
// and the replay planner (Element holds operands, Apply records steps), so the
// two can never reduce in a different order.
//
// Apply provides:
//   void function(Element& function, const Element& operand);
//   void binary(Element& left, char op, const Element& right);
//   void negate(Element& minus, const Element& operand);
// each of which turns its first argument into a number element.
template <class Element, class Apply>
class Reduction {
  public:
    Reduction(Element* elements, Apply& apply) : e_(elements), apply_(apply) {}

    // Reduces [start, start + length). False when an operator or a function
    // lacks a number operand inside the range: the formula has no value.
    bool reduceRange(int start, int length, int allowance) {
        const int end = start + length;
        if (allowance != 0 && !reduceGroups(start, end, allowance)) return false;
        if (!reduceFunctions(start, end)) return false;
        for (char op : {'^', '#', '/', '*', '-', '+'}) {
            if (!reduceOperator(op, start, end)) return false;
        }
        return true;
    }

    // Moves the live elements of the range down over the deleted ones, keeping
    // their order, and marks the freed tail deleted.
    void compactRange(int start, int length) {
        const int end = start + length;
        int to = start;
        for (int from = start; from < end; ++from) {
            if (e_[from].code != ElementCode::kDeleted) e_[to++] = e_[from];
        }
        for (; to < end; ++to) e_[to].code = ElementCode::kDeleted;
    }

  private:
    bool isNumber(int i, int end) const { return i < end && e_[i].code == ElementCode::kNumber; }

    // Rightmost "(" first, so the group it closes never holds another "(".
    bool reduceGroups(int start, int end, int allowance) {
        for (int open = end - 1; open >= start; --open) {
            if (e_[open].code != ElementCode::kOpen) continue;
            int close = open + 1;
            while (close < end && e_[close].code != ElementCode::kClose) ++close;
            if (close == end) continue;  // unmatched: stays, and spoils the formula later
            if (!reduceRange(open + 1, close - open - 1, allowance - 1)) return false;
            e_[open].code = ElementCode::kDeleted;
            e_[close].code = ElementCode::kDeleted;
            compactRange(start, end - start);
        }
        return true;
    }

    bool reduceFunctions(int start, int end) {
        for (int i = start; i < end; ++i) {
            if (!isFunctionCode(e_[i].code)) continue;
            if (!isNumber(i + 1, end)) return false;
            apply_.function(e_[i], e_[i + 1]);
            e_[i + 1].code = ElementCode::kDeleted;
            compactRange(start, end - start);
        }
        return true;
    }

    // Leftmost first: after a reduction at i nothing before i can match, so
    // going on from i is the same as restarting the pass.
    bool reduceOperator(char op, int start, int end) {
        for (int i = start; i < end;) {
            if (e_[i].code != op) {
                ++i;
                continue;
            }
            if (op == '-' && i == start) {  // no left operand: negation
                if (!isNumber(i + 1, end)) return false;
                apply_.negate(e_[i], e_[i + 1]);
                e_[i + 1].code = ElementCode::kDeleted;
            } else {
                if (i == start || !isNumber(i - 1, end) || !isNumber(i + 1, end)) return false;
                apply_.binary(e_[i - 1], op, e_[i + 1]);
                e_[i].code = ElementCode::kDeleted;
                e_[i + 1].code = ElementCode::kDeleted;
                --i;
            }
            compactRange(start, end - start);
        }
        return true;
    }

    Element* e_;
    Apply& apply_;
};

// True when a fully reduced range of count elements left exactly one number.
template <class Element>
bool reducedToOneNumber(const Element* elements, int count) {
    if (count < 1 || elements[0].code != ElementCode::kNumber) return false;
    return count == 1 || elements[1].code == ElementCode::kDeleted;
}
