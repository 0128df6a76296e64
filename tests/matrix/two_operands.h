// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "matrix/matrix_arithmetic.h"
#include "matrix/matrix_store.h"

// A store holding two operands at positions 0 and 1, and an operation of
// Calculate (a precision's arithmetic) on them.
template <auto Calculate>
class TwoOperands : public testing::Test {
  protected:
    MatrixResult run(MatrixSlot first, MatrixSlot second, MatrixOperation operation,
                     WorkControl* control = nullptr) {
        store.write(0, std::move(first));
        store.write(1, std::move(second));
        return Calculate(store, 0, 1, operation, control);
    }

    MatrixStore store;
};
