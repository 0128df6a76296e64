// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/string_ids.h"

// Looks up a text of the string table (res/string_table.inc) by id.
// An id that is not in the table gives an empty text.
std::string_view LoadString(int id);

// At most bytes of UTF-8 text, never ending inside a character.
std::string_view Utf8Prefix(std::string_view text, std::size_t bytes);

// The text of id with %1, %2, ... replaced by the arguments in order.
std::string FormatString(int id, std::initializer_list<std::string_view> arguments);
