// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every template, control and picture id by name, for the tables that place
// and describe the controls of all windows at once.
#include "app/dialog/template_ids.h"
#include "app/look/art_ids.h"
#include "app/pages/determinant_controls.h"
#include "app/pages/equation_controls.h"
#include "app/pages/integral_controls.h"
#include "app/pages/matrix_controls.h"
#include "app/pages/sum_product_controls.h"
#include "app/shell/main_window_controls.h"
