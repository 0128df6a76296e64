// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's own controls (kMainWindowTemplate).
enum MainWindowControl : int {
#define MEXORA_CONTROL(name, id) name = id,
#include "control_ids/main_window.inc"
#undef MEXORA_CONTROL
};
