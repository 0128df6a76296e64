// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the matrix page (kMatrixTemplate).
enum MatrixControl : int {
#define MEXORA_CONTROL(name, id) name = id,
#include "control_ids/matrix.inc"
#undef MEXORA_CONTROL
};
