// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "app/pages/logic_page.h"
#include "app/pages/matrix_controls.h"
#include "matrix/matrix_page_logic.h"

class QComboBox;

// The matrix page. kAddMatrix ("添加"), kDeleteMatrix ("删除"), kMatrixSum,
// kMatrixDifference and kMatrixProduct, and a pick in kMatrixList run the
// page's handlers; picks in the operand selectors kFirstOperand and
// kSecondOperand only select. The fields are the page logic's own: the
// exchange reads and writes them, and the three selectors show the logic's
// names and selections.
// Ctrl+S and Ctrl+O, also in the matrix list's context menu, save the list to
// a file and add the matrices of a file to it; the element edit copies its
// matrix as LaTeX.
class CMatrixPage : public LogicPage<MatrixPageLogic> {
    Q_OBJECT
  public:
    CMatrixPage();

    std::string m_strMessage;
    QComboBox* m_cbList = nullptr;
    QComboBox* m_cbSecond = nullptr;
    QComboBox* m_cbFirst = nullptr;
    std::string& m_strElements = logic_.m_strElements;
    std::string& m_strName = logic_.m_strName;
    int& m_nRows = logic_.m_nRows;
    int& m_nCols = logic_.m_nCols;

    void OnAddMatrix();
    void OnDeleteMatrix();
    void OnSelchangeMatrixList();
    void OnSum() { runOperation(MatrixOperation::Sum, kMatrixSum); }
    void OnDifference() { runOperation(MatrixOperation::Difference, kMatrixDifference); }
    void OnProduct() { runOperation(MatrixOperation::Product, kMatrixProduct); }
    void OnSaveMatrixList() { saveMatrixList(); }
    void OnOpenMatrixList();

    // Saves the list as Ctrl+S does, through the file chooser; true once it
    // is written, false when the list is empty, the user cancelled or the
    // file could not be written (each with its message).
    bool saveMatrixList();
    bool listUnsaved() const { return logic_.listUnsaved(); }

  protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    QStringList inputsBeyondControls(const PageRequest& request) const override;

  private:
    void runOperation(MatrixOperation operation, int button);
    // Brings the three selectors in line with the logic's names and selections.
    void showSelectors();
    void addListActions();

    std::vector<std::string> shownNames_;
};
