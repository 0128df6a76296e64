// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_page_logic.h"

#include <cstddef>
#include <string>
#include <utility>

#include "core/string_ids.h"
#include "core/string_table.h"
#include "matrix/exact_matrix.h"

namespace {

char foldLatin(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool validPosition(int position, std::size_t count) {
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

// A selector's selection after the name at removed went, with remaining names left.
std::optional<int> selectionAfterRemoval(std::optional<int> selection, int removed, int remaining) {
    if (!selection) return std::nullopt;
    if (*selection == removed) return removed <= remaining - 1 ? removed : remaining - 1;
    if (*selection > removed) return *selection - 1;
    return selection;
}

}  // namespace

bool SameMatrixName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldLatin(a[i]) != foldLatin(b[i])) return false;
    }
    return true;
}

MatrixPageLogic::MatrixPageLogic(MatrixStore& store, MessageService& messages,
                                 PageControls& controls)
    : store_(store), messages_(messages), controls_(controls) {}

std::optional<int> MatrixPageLogic::findName(const std::string& name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (SameMatrixName(names_[i], name)) return static_cast<int>(i);
    }
    return std::nullopt;
}

void MatrixPageLogic::OnAddMatrix() {
    if (!controls_.readControls()) return;
    const AddResult result = addNamedMatrix(m_strName, {m_nRows, m_nCols, m_strElements});
    if (result.messageId != 0) messages_.showMessage(result.messageId);
}

AddResult MatrixPageLogic::addNamedMatrix(const std::string& name, MatrixSlot matrix) {
    if (matrix.strElements.empty()) return {AddOutcome::Refused, kMsgEnterMatrix};
    if (matrix.nRows <= 0 || matrix.nCols <= 0) return {AddOutcome::Refused, kMsgShapeNotPositive};
    if (name.empty()) return {AddOutcome::Refused, kMsgEnterName};
    if (const std::optional<int> existing = findName(name)) {
        // The list keeps the name as first written; only the matrix changes.
        if (!messages_.askYesNo(kAskOverwrite)) return {AddOutcome::Kept};
        store_.write(*existing, std::move(matrix));
        return {AddOutcome::Overwritten};
    }
    const int count = static_cast<int>(names_.size());
    if (count == MatrixStore::kCapacity) return {AddOutcome::ListFull, kMsgListFull};
    store_.write(count, std::move(matrix));
    names_.push_back(name);
    list_ = count;
    return {AddOutcome::Added};
}

void MatrixPageLogic::addMatrices(std::vector<NamedMatrix> matrices) {
    const bool unsavedBefore = listUnsaved();
    std::size_t refused = 0;
    bool appended = false;
    for (NamedMatrix& named : matrices) {
        const AddResult result = addNamedMatrix(named.name, std::move(named.matrix));
        if (result.outcome == AddOutcome::ListFull) {
            messages_.showMessage(kMsgListFull);
            break;
        }
        if (result.outcome == AddOutcome::Refused) ++refused;
        if (result.outcome == AddOutcome::Added) appended = true;
    }
    if (!unsavedBefore) listSaved();
    if (refused > 0)
        messages_.showMessage(kMsgEntriesSkipped,
                              FormatString(kSkippedCount, {std::to_string(refused)}));
    if (appended) loadListSelection();
}

std::vector<NamedMatrix> MatrixPageLogic::namedMatrices() const {
    std::vector<NamedMatrix> matrices;
    matrices.reserve(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i)
        matrices.push_back({names_[i], store_.read(static_cast<int>(i))});
    return matrices;
}

void MatrixPageLogic::OnDeleteMatrix() {
    if (names_.empty()) return messages_.showMessage(kMsgListEmpty);
    if (!messages_.askYesNo(kAskDelete)) return;
    if (!list_) return;  // the list always has a selection while it has names
    const int removed = *list_;
    const int count = static_cast<int>(names_.size());
    names_.erase(names_.begin() + removed);
    store_.remove(removed, count);
    if (names_.empty()) {
        list_ = first_ = second_ = std::nullopt;
        m_strElements.clear();
        m_strName.clear();
        controls_.refreshControls();
        return;
    }
    const int remaining = count - 1;
    list_ = selectionAfterRemoval(list_, removed, remaining);
    first_ = selectionAfterRemoval(first_, removed, remaining);
    second_ = selectionAfterRemoval(second_, removed, remaining);
    loadListSelection();
}

void MatrixPageLogic::OnSelchangeMatrixList() { loadListSelection(); }

void MatrixPageLogic::loadListSelection() {
    if (!list_) return;
    const MatrixSlot& slot = store_.read(*list_);
    m_strElements = slot.strElements;
    m_nRows = slot.nRows;
    m_nCols = slot.nCols;
    m_strName = names_[static_cast<std::size_t>(*list_)];
    controls_.refreshControls();
}

bool MatrixPageLogic::beginOperation(MatrixOperation operation) {
    if (!first_ || !second_) {
        messages_.showMessage(kMsgChooseMatrices);
        return false;
    }
    const MatrixSlot& first = store_.read(*first_);
    const MatrixSlot& second = store_.read(*second_);
    if (!ShapesFit(operation, first, second)) {
        messages_.showMessage(ShapeMessageId(operation),
                              ShapeMessageDetail(operation, first, second));
        controls_.refreshControls();
        return false;
    }
    return true;
}

MatrixResult MatrixPageLogic::computeOperation(MatrixOperation operation,
                                               WorkControl* control) const {
    if (!first_ || !second_) return {};
    if (precision == Precision::Single)
        return Calculate(store_, *first_, *second_, operation, control);
    return CalculateExactly(store_, *first_, *second_, operation, control);
}

void MatrixPageLogic::finishOperation(MatrixOperation operation, MatrixResult result) {
    switch (result.status) {
        case ComputeStatus::Done:
            resultNote = result.inDouble ? std::string(LoadString(kDescribeNotExact)) : "";
            m_strElements = std::move(result.text);
            m_nRows = result.nRows;
            m_nCols = result.nCols;
            m_strName = ResultName(operation);
            controls_.refreshControls();
            return;
        case ComputeStatus::NoMemory:
            messages_.showMessage(kMsgNoMemory);
            return;
        case ComputeStatus::BadOperands:
        case ComputeStatus::Cancelled:
            return;
    }
}

void MatrixPageLogic::runOperation(MatrixOperation operation, WorkControl* control) {
    if (beginOperation(operation)) finishOperation(operation, computeOperation(operation, control));
}

void MatrixPageLogic::selectInList(int position) {
    if (validPosition(position, names_.size())) list_ = position;
}

void MatrixPageLogic::selectFirst(int position) {
    if (validPosition(position, names_.size())) first_ = position;
}

void MatrixPageLogic::selectSecond(int position) {
    if (validPosition(position, names_.size())) second_ = position;
}
