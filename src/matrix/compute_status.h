// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a matrix computation ended.
enum class ComputeStatus {
    Done,         // the result is there
    BadOperands,  // operands that do not fit the operation; nothing computed
    NoMemory,     // the element count is out of range or its storage cannot be had
    Cancelled,    // stopped on request; there is no result
};
