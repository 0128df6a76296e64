// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_store.h"

#include <gtest/gtest.h>

namespace {

TEST(MatrixStore, RemovalShiftsLaterEntriesDownAndLeavesTheOldLast) {
    MatrixStore store;
    for (int i = 0; i < 4; ++i) store.write(i, {i + 1, i + 2, "text " + std::to_string(i)});
    store.remove(1, 4);
    EXPECT_EQ(store.read(0).strElements, "text 0");
    EXPECT_EQ(store.read(1).strElements, "text 2");
    EXPECT_EQ(store.read(1).nRows, 3);
    EXPECT_EQ(store.read(2).strElements, "text 3");
    EXPECT_EQ(store.read(2).nCols, 5);
    // No longer counted, but not cleared.
    EXPECT_EQ(store.read(3).strElements, "text 3");
}

TEST(MatrixStore, LastOfTheThousandSlotsIsUsable) {
    MatrixStore store;
    store.write(999, {2, 2, "1 2 3 4"});
    store.write(1000, {9, 9, "ignored"});
    store.write(-1, {9, 9, "ignored"});
    EXPECT_EQ(store.read(999).strElements, "1 2 3 4");
    EXPECT_EQ(store.read(1000).nRows, 0);
    EXPECT_EQ(store.read(-1).strElements, "");
    store.remove(998, 1000);
    EXPECT_EQ(store.read(998).strElements, "1 2 3 4");
}

}  // namespace
