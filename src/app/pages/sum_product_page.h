// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/pages/calculation_page.h"
#include "app/pages/sum_product_controls.h"

class QLineEdit;

// The sum and product page. kSumEquals ("＝" of the sum group) runs the sum,
// kProductEquals the product; the check boxes kSumStepBox and kProdStepBox
// switch their step edits between read-only and editable.
class CSumProductPage : public CalculationPage {
    Q_OBJECT
  public:
    CSumProductPage();

    std::string m_strMessage;
    QLineEdit* m_editSumStep = nullptr;
    QLineEdit* m_editProdStep = nullptr;
    double m_dProdFrom = 0.0;
    std::string m_strProdFormula;
    double m_dProdTo = 0.0;
    double m_dProdResult = 0.0;
    double m_dProdStep = 0.0;
    double m_dSumFrom = 0.0;
    int m_bProdStep = 0;
    double m_dSumTo = 0.0;
    int m_bSumStep = 0;
    double m_dSumResult = 0.0;
    double m_dSumStep = 0.0;
    std::string m_strSumFormula;

    void OnSumEquals();
    void OnProductEquals();
    void OnSumStepCheck();
    void OnProductStepCheck();

  protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
};
