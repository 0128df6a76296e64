// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/template_page.h"

class QComboBox;

// The matrix page (template 129). Buttons 1002 ("添加"), 1010 ("删除"), 1011,
// 1012 and 1013 (sum, difference, product) and the selection change of the
// matrix list 1008 run the page's handlers.
class CMatrixPage : public TemplatePage {
    Q_OBJECT
  public:
    CMatrixPage();

    std::string m_strMessage;
    QComboBox* m_cbList = nullptr;
    QComboBox* m_cbSecond = nullptr;
    QComboBox* m_cbFirst = nullptr;
    std::string m_strElements;
    std::string m_strName;
    int m_nRows = 0;
    int m_nCols = 0;

  protected:
    void DoDataExchange(DataExchange& dx) override;
};
