// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Looks up a text of the string table (res/string_table.inc) by id.
// An id that is not in the table gives an empty text.
std::string_view LoadString(int id);
