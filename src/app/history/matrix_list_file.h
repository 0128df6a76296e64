// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <span>
#include <vector>

#include "matrix/matrix_page_logic.h"

// The matrix list in a file (suffix .mexora): UTF-8 JSON,
//   {"format": "mexora-matrices", "version": 1,
//    "matrices": [{"name": ..., "rows": ..., "cols": ..., "elements": ...}]}
// with the names and element texts exactly as the list holds them. Nothing
// here applies the rules of "添加"; the page logic does, to what is read.

inline constexpr char kMatrixListSuffix[] = "mexora";

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

QByteArray MatrixListJson(std::span<const NamedMatrix> matrices);

// A field of an entry that is missing or of another kind reads as an empty
// name or text, or as a shape of 0 (as do shapes that are no whole number in
// the range of int): "添加" refuses such entries, and they are counted there.
MatrixListRead ReadMatrixListJson(QByteArrayView bytes);

// Writes the file atomically: on false nothing was written, and a file
// already there is as it was.
bool SaveMatrixList(const QString& path, std::span<const NamedMatrix> matrices);
MatrixListRead OpenMatrixList(const QString& path);

// The string id of the message that refuses a file for fault.
int MatrixListFaultMessage(MatrixListFault fault);
