// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "core/message_service.h"
#include "core/precision.h"
#include "core/work_control.h"
#include "matrix/determinant.h"
#include "matrix/exact_matrix.h"
#include "matrix/page_controls.h"
#include "matrix/text_description.h"

// The determinant page's working matrix: room for order 50, row-major n x n
// at the front for order n.
struct DeterminantMatrix {
    std::array<float, kMaxDeterminantOrder * kMaxDeterminantOrder> elements{};
};

// The program-wide working matrix that the determinant page uses; tests make their own.
DeterminantMatrix& ProgramDeterminantMatrix();

// The determinant page without its window.
class DeterminantPageLogic {
  public:
    DeterminantPageLogic(DeterminantMatrix& matrix, MessageService& messages,
                         PageControls& controls);

    // The fields the window exchanges with its edits.
    std::string m_strElements;
    int m_nOrder = 0;
    float m_fResult = 0.0f;
    // The result of a double-precision computation as its field shows it,
    // and the exact value (or the note that it is not exact) beside it.
    std::string m_strResult;
    std::string resultDetail;
    std::string exactResultText;  // what Ctrl+C copies: the value in full

    // What the next computation runs in; the caller sets it before
    // beginCompute. Double reads the elements exactly (DeterminantOfText).
    Precision precision = Precision::Single;
    // Whether the result field shows m_strResult (the last result came from a
    // double-precision computation) rather than m_fResult.
    bool showsResultText() const { return showsResultText_; }

    // Reads the edits (a refused read ends it), checks (messages 126, then
    // 127), reads n x n elements
    // and shows the determinant as a single.
    void OnCompute(WorkControl* control = nullptr);

    // The three steps of OnCompute, for a window that computes on a worker
    // thread. beginCompute reads and checks and is false after a message;
    // computeDeterminant only reads the working matrix; finishCompute stores
    // and shows the result, or message 129 when there was no room to compute
    // it, or nothing when it was cancelled.
    bool beginCompute();
    DeterminantResult computeDeterminant(WorkControl* control) const;
    void finishCompute(const DeterminantResult& result);
    // The same two steps in double precision: exact, or in double when an
    // element is no finite rational. Orders the single-precision method has
    // no memory for answer at once here.
    ExactDeterminant computeExactly(WorkControl* control) const;
    void finishExactly(const ExactDeterminant& result);

    // The last determinant computed and how long it took, from beginCompute
    // to finishCompute.
    std::optional<DeterminantRun> lastRun() const { return lastRun_; }

  private:
    DeterminantMatrix& matrix_;
    MessageService& messages_;
    PageControls& controls_;
    std::chrono::steady_clock::time_point started_;
    std::optional<DeterminantRun> lastRun_;
    bool showsResultText_ = false;
};
