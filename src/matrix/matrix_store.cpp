// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_store.h"

#include <utility>

namespace {

bool inStore(int position) { return position >= 0 && position < MatrixStore::kCapacity; }

}  // namespace

const MatrixSlot& MatrixStore::read(int position) const {
    static const MatrixSlot kEmpty;
    return inStore(position) ? slots_[position] : kEmpty;
}

void MatrixStore::write(int position, MatrixSlot slot) {
    if (!inStore(position)) return;
    slots_[position] = std::move(slot);
    changed_ = true;
}

void MatrixStore::remove(int position, int count) {
    if (!inStore(position) || count > kCapacity) return;
    changed_ = true;
    // Copy rather than move: the old last entry keeps its contents.
    for (int i = position + 1; i < count; ++i) slots_[i - 1] = slots_[i];
}

MatrixStore& ProgramMatrixStore() {
    static MatrixStore store;
    return store;
}
