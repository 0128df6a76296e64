// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// String-table ids of the messages of the matrix and determinant pages.
inline constexpr int kMsgChooseMatrices = 102;
inline constexpr int kMsgEnterMatrix = 106;
inline constexpr int kMsgShapeNotPositive = 107;
inline constexpr int kMsgEnterName = 108;
inline constexpr int kAskOverwrite = 109;
inline constexpr int kMsgListFull = 110;
inline constexpr int kMsgListEmpty = 111;
inline constexpr int kAskDelete = 112;
inline constexpr int kMsgEnterDeterminant = 126;
inline constexpr int kMsgOrderOutOfRange = 127;
// Shapes or orders whose storage cannot be had (or whose element count is out of range).
inline constexpr int kMsgNoMemory = 129;
// Opening a matrix-list file: entries that "添加" refuses are left out, and
// the count goes under the message.
inline constexpr int kMsgEntriesSkipped = 446;
inline constexpr int kSkippedCount = 447;
