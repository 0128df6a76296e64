// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/determinant_page_logic.h"

#include <cstddef>
#include <span>

#include "core/string_ids.h"
#include "core/string_table.h"
#include "matrix/matrix_text.h"

DeterminantMatrix& ProgramDeterminantMatrix() {
    static DeterminantMatrix matrix;
    return matrix;
}

DeterminantPageLogic::DeterminantPageLogic(DeterminantMatrix& matrix, MessageService& messages,
                                           PageControls& controls)
    : matrix_(matrix), messages_(messages), controls_(controls) {}

bool DeterminantPageLogic::beginCompute() {
    if (!controls_.readControls()) return false;
    if (m_strElements.empty()) {
        messages_.showMessage(kMsgEnterDeterminant);
        return false;
    }
    if (m_nOrder < kMinDeterminantOrder || m_nOrder > kMaxDeterminantOrder) {
        messages_.showMessage(kMsgOrderOutOfRange);
        return false;
    }
    if (precision == Precision::Single) {
        const std::size_t count = static_cast<std::size_t>(m_nOrder) * m_nOrder;
        ParseMatrixTextInto(m_strElements, std::span(matrix_.elements).first(count));
    }
    started_ = std::chrono::steady_clock::now();
    return true;
}

DeterminantResult DeterminantPageLogic::computeDeterminant(WorkControl* control) const {
    if (m_nOrder < kMinDeterminantOrder || m_nOrder > kMaxDeterminantOrder) return {};
    const std::size_t count = static_cast<std::size_t>(m_nOrder) * m_nOrder;
    return Determinant(m_nOrder, std::span(matrix_.elements).first(count), control);
}

void DeterminantPageLogic::finishCompute(const DeterminantResult& result) {
    switch (result.status) {
        case ComputeStatus::Done:
            lastRun_ = DeterminantRun{
                m_nOrder,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count()};
            m_fResult = static_cast<float>(result.value);
            showsResultText_ = false;
            controls_.refreshControls();
            return;
        case ComputeStatus::NoMemory:
            // Double precision computes every order at once: say so.
            messages_.showMessage(kMsgNoMemory, LoadString(kHintDoubleComputesAtOnce));
            return;
        case ComputeStatus::BadOperands:
        case ComputeStatus::Cancelled:
            return;
    }
}

ExactDeterminant DeterminantPageLogic::computeExactly(WorkControl* control) const {
    return DeterminantOfText(m_nOrder, m_strElements, control);
}

void DeterminantPageLogic::finishExactly(const ExactDeterminant& result) {
    switch (result.status) {
        case ComputeStatus::Done:
            lastRun_ = DeterminantRun{
                m_nOrder,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count()};
            m_strResult = DeterminantFieldText(result);
            exactResultText = DeterminantExactText(result);
            resultDetail = result.exact
                               ? FormatString(kDescribeExactValue, {DeterminantExactText(result)})
                               : std::string(LoadString(kDescribeNotExact));
            showsResultText_ = true;
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

void DeterminantPageLogic::OnCompute(WorkControl* control) {
    if (!beginCompute()) return;
    if (precision == Precision::Double) {
        finishExactly(computeExactly(control));
    } else {
        finishCompute(computeDeterminant(control));
    }
}
