// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the determinant page (kDeterminantTemplate).
enum DeterminantControl : int {
#define MEXORA_CONTROL(name, id) name = id,
#include "control_ids/determinant.inc"
#undef MEXORA_CONTROL
};
