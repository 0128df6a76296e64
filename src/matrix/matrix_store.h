// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// One matrix of the list, without its name: its shape and its element text,
// kept exactly as typed or as a result was written (UTF-8, never parsed here).
struct MatrixSlot {
    int nRows = 0;
    int nCols = 0;
    std::string strElements;

    friend bool operator==(const MatrixSlot&, const MatrixSlot&) = default;
};

// The table of the matrix page's matrices. Positions 0 to count - 1 are in use,
// where count is the number of names in the page's list; the store itself keeps
// no count and no names, so list and store stay aligned by position.
class MatrixStore {
  public:
    static constexpr int kCapacity = 1000;

    // Positions outside 0 to kCapacity - 1 read as an empty slot and are never written.
    const MatrixSlot& read(int position) const;
    void write(int position, MatrixSlot slot);

    // Removes the entry at position from the first count entries: the later
    // ones move down one place in increasing order; the old last entry keeps
    // its contents and is no longer counted.
    void remove(int position, int count);

    // Whether a write or a removal came since the list was last saved (or
    // since the store was made).
    bool changedSinceSaved() const { return changed_; }
    void markSaved() { changed_ = false; }

  private:
    std::array<MatrixSlot, kCapacity> slots_;
    bool changed_ = false;
};

// The program-wide store that the matrix page uses; tests make their own.
MatrixStore& ProgramMatrixStore();
