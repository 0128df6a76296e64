// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the integral and derivative page (kIntegralTemplate).
enum IntegralControl : int {
#define MEXORA_CONTROL(name, id) name = id,
#include "control_ids/integral.inc"
#undef MEXORA_CONTROL
};
