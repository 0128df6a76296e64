// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// String-table ids of what the history, the matrix-list file and the copies
// for reports show.
inline constexpr int kHistoryTitle = 430;
inline constexpr int kHistoryKindHeader = 431;
inline constexpr int kHistoryInputsHeader = 432;
inline constexpr int kHistoryResultHeader = 433;
inline constexpr int kHistoryExport = 434;
inline constexpr int kHistoryTableName = 435;
inline constexpr int kSaveListLabel = 436;
inline constexpr int kOpenListLabel = 437;
inline constexpr int kCopyLatexLabel = 438;
inline constexpr int kMatrixListFilter = 439;

inline constexpr int kMsgCannotSave = 440;
inline constexpr int kMsgCannotRead = 441;
inline constexpr int kMsgNotAMatrixList = 442;
inline constexpr int kMsgTruncatedList = 443;
inline constexpr int kMsgNotUtf8 = 444;
inline constexpr int kMsgNewerList = 445;
// 446 and 447 (entries left out of an open) are the page logic's.

inline constexpr int kCsvFilter = 448;
inline constexpr int kExportCaption = 449;
inline constexpr int kSaveListCaption = 450;
inline constexpr int kOpenListCaption = 451;

// What each row says the calculation was.
inline constexpr int kKindIntegral = 452;
inline constexpr int kKindDerivative = 453;
inline constexpr int kKindSum = 454;
inline constexpr int kKindProduct = 455;
inline constexpr int kKindRoot = 456;
inline constexpr int kKindMatrixSum = 457;
inline constexpr int kKindMatrixDifference = 458;
inline constexpr int kKindMatrixProduct = 459;
inline constexpr int kKindDeterminant = 460;

// How a row writes its inputs: "name value", joined by the separator; a
// matrix operand as "name（rows×cols）".
inline constexpr int kInputPattern = 461;
inline constexpr int kInputSeparator = 462;
inline constexpr int kOperandPattern = 463;
