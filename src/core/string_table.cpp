// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/string_table.h"

namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

constexpr StringEntry kStrings[] = {
#define MEXORA_STRING(id, text) {id, text},
#include "string_table.inc"
#undef MEXORA_STRING
};

}  // namespace

std::string_view LoadString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) return entry.text;
    }
    return {};
}
