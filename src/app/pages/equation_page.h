// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/pages/calculation_page.h"
#include "app/pages/equation_controls.h"
#include "calculus/requests.h"

// The equation page. kSolve ("解出") runs the solver.
class CEquationPage : public CalculationPage {
    Q_OBJECT
  public:
    CEquationPage();

    int m_bNoRoot = 0;
    double m_dRight = 0.0;
    double m_dDelta = kDefaultDelta;
    double m_dEpsilon = kDefaultEpsilon;
    std::string m_strFormula;
    double m_dRoot = 0.0;
    double m_dLeft = 0.0;

    void OnSolve();

  protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
};
