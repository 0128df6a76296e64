// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/pages/determinant_controls.h"
#include "app/pages/logic_page.h"
#include "matrix/determinant_page_logic.h"

// The determinant page. kCompute ("计算") runs the computation; high orders
// run as long work that can be cancelled. The fields are the page logic's
// own. The element edit copies its determinant as LaTeX. In double precision
// the determinant is exact (or says it is not), shown as a text.
class CDeterminantPage : public LogicPage<DeterminantPageLogic> {
    Q_OBJECT
  public:
    CDeterminantPage();

    std::string& m_strElements = logic_.m_strElements;
    int& m_nOrder = logic_.m_nOrder;
    float& m_fResult = logic_.m_fResult;

    void OnCompute();

  protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Ctrl+C in the result field: the exact value of a double result.
    void copyResult();
};
