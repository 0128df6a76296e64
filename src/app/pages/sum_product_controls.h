// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the sum and product page (kSumProductTemplate).
enum SumProductControl : int {
#define MEXORA_CONTROL(name, id) name = id,
#include "control_ids/sum_product.inc"
#undef MEXORA_CONTROL
};
