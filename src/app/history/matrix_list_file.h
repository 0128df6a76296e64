// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <span>

#include "matrix/matrix_list_format.h"

// The matrix list's file (see matrix/matrix_list_format.h for its text).

inline constexpr char kMatrixListSuffix[] = "mexora";

// Writes the file atomically: on false nothing was written, and a file
// already there is as it was.
bool SaveMatrixList(const QString& path, std::span<const NamedMatrix> matrices);
MatrixListRead OpenMatrixList(const QString& path);

// The string id of the message that refuses a file for fault.
int MatrixListFaultMessage(MatrixListFault fault);
