// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the equation page (kEquationTemplate).
enum EquationControl : int {
#define MEXORA_CONTROL(name, id) name = id,
#include "control_ids/equation.inc"
#undef MEXORA_CONTROL
};
