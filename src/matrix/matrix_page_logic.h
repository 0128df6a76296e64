// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/message_service.h"
#include "core/precision.h"
#include "core/work_control.h"
#include "matrix/matrix_arithmetic.h"
#include "matrix/matrix_store.h"
#include "matrix/page_controls.h"

// A matrix of the list with its name, as a matrix-list file holds it.
struct NamedMatrix {
    std::string name;
    MatrixSlot matrix;

    friend bool operator==(const NamedMatrix&, const NamedMatrix&) = default;
};

// How adding one named matrix by the rules of "添加" ended.
enum class AddOutcome {
    Added,        // appended and selected in the list
    Overwritten,  // the same name was there, and the answer to 109 was Yes
    Kept,         // the same name was there, and the answer was No
    Refused,      // empty text, a shape not above 0, or an empty name
    ListFull,     // a new name, and the list holds 1000
};
struct AddResult {
    AddOutcome outcome;
    int messageId = 0;  // for Refused and ListFull: the message "添加" shows
};

// The matrix page without its window: the four edited fields, the list of
// names with the list's and the two operand selectors' selections, and the
// handlers. Name i of the list is the name of store entry i.
class MatrixPageLogic {
  public:
    MatrixPageLogic(MatrixStore& store, MessageService& messages, PageControls& controls);

    // The fields the window exchanges with its four edits.
    std::string m_strElements;
    std::string m_strName;
    int m_nRows = 0;
    int m_nCols = 0;

    // What the operations compute in: single as the design fixes it, double
    // exactly (CalculateExactly). The caller sets it before beginOperation.
    Precision precision = Precision::Single;
    // Of the last result shown: that it is not exact, or empty.
    std::string resultNote;

    // Reads the edits, checks (messages 106, 107, 108, question 109, 110) and
    // appends the matrix, or overwrites the one of the same name after a Yes.
    void OnAddMatrix();
    // The rules of "添加" for one named matrix, without reading the edits:
    // the checks of text, shape and name, question 109 for a name already
    // listed, the capacity. Refusals are returned, not shown.
    AddResult addNamedMatrix(const std::string& name, MatrixSlot matrix);

    // Adds the matrices of a file in order by those rules: message 110 ends it
    // at a full list; the refused ones are counted in one message (446, with
    // the count under it). The last name appended stays selected and is
    // loaded into the fields.
    void addMatrices(std::vector<NamedMatrix> matrices);

    // Every matrix of the list, in list order.
    std::vector<NamedMatrix> namedMatrices() const;

    // True when the list holds matrices that no file holds: it is not empty
    // and was changed (added to, overwritten, removed from) since it was last
    // saved. Opening a file leaves this as it was, since what it adds is in
    // that file.
    bool listUnsaved() const { return !names_.empty() && store_.changedSinceSaved(); }
    // The list was written to a file.
    void listSaved() { store_.markSaved(); }
    // The matrix at a position of the list.
    const MatrixSlot& matrix(int position) const { return store_.read(position); }

    // Asks question 112 and removes the matrix selected in the list (111 when
    // there is none), then loads the newly selected matrix into the fields.
    void OnDeleteMatrix();
    // Loads the matrix selected in the list into the fields.
    void OnSelchangeMatrixList();

    void OnSum(WorkControl* control = nullptr) { runOperation(MatrixOperation::Sum, control); }
    void OnDifference(WorkControl* control = nullptr) {
        runOperation(MatrixOperation::Difference, control);
    }
    void OnProduct(WorkControl* control = nullptr) {
        runOperation(MatrixOperation::Product, control);
    }

    // The three steps of OnSum, OnDifference and OnProduct, for a window that
    // computes on a worker thread. beginOperation checks the selections (102)
    // and the shapes (103 to 105) and is false after a message;
    // computeOperation only reads the store; finishOperation shows the result
    // in the fields, or message 129 when there was no room for it, or nothing
    // when it was cancelled.
    bool beginOperation(MatrixOperation operation);
    MatrixResult computeOperation(MatrixOperation operation, WorkControl* control) const;
    void finishOperation(MatrixOperation operation, MatrixResult result);

    // The names the three selectors show, in list order, and their selections.
    const std::vector<std::string>& names() const { return names_; }
    std::optional<int> listSelection() const { return list_; }
    std::optional<int> firstSelection() const { return first_; }
    std::optional<int> secondSelection() const { return second_; }

    // What the user picks; a position without a name is ignored. The window
    // follows a pick in the list with OnSelchangeMatrixList.
    void selectInList(int position);
    void selectFirst(int position);
    void selectSecond(int position);

  private:
    void runOperation(MatrixOperation operation, WorkControl* control);
    std::optional<int> findName(const std::string& name) const;
    void loadListSelection();

    MatrixStore& store_;
    MessageService& messages_;
    PageControls& controls_;
    std::vector<std::string> names_;
    std::optional<int> list_;
    std::optional<int> first_;
    std::optional<int> second_;
};

// Two names are the same when they are equal as whole texts, ignoring the case
// of the Latin letters A to Z only.
bool SameMatrixName(const std::string& a, const std::string& b);
