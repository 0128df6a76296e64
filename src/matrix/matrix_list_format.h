// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "matrix/matrix_page_logic.h"

// The matrix list as a file holds it (suffix .mexora): UTF-8 JSON,
//   {"format": "mexora-matrices", "version": 1,
//    "matrices": [{"name": ..., "rows": ..., "cols": ..., "elements": ...}]}
// with the names and element texts exactly as the list holds them. Nothing
// here applies the rules of "添加"; the page logic does, to what is read.
// The reader is a JSON reader of its own: a list of 80 MB must open within
// a second, and it never copies a text more than once.

enum class MatrixListFault {
    None,
    CannotRead,    // the file could not be opened or read
    NotUtf8,       // a byte sequence that is not UTF-8
    Truncated,     // the text ends before the JSON does
    NotAList,      // JSON of another kind, or not JSON at all
    NewerVersion,  // a matrix list of a version after 1
};

struct MatrixListRead {
    MatrixListFault fault = MatrixListFault::None;
    std::vector<NamedMatrix> matrices;  // none unless fault is None
};

// The file's text; names and texts must be UTF-8, as the list's are.
std::string WriteMatrixList(std::span<const NamedMatrix> matrices);

// Any bytes. A leading byte-order mark is skipped. A field of an entry that
// is missing or of another kind reads as an empty name or text, or as a
// shape of 0 (as do shapes that are no whole number in the range of int):
// "添加" refuses such entries, and they are counted there. Of two fields of
// the same name in one object the last counts. Nesting deeper than 256
// levels is no matrix list.
MatrixListRead ReadMatrixList(std::string_view bytes);
