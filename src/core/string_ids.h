// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names of the string table's texts. Each id is defined once, beside its
// text in res/string_table.inc; code names it here and never by its number.
enum StringId : int {
#define MEXORA_STRING(name, id, text) name = id,
#include "string_table.inc"
#undef MEXORA_STRING
};
