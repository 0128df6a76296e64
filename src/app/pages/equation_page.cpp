// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/equation_page.h"

#include <QPushButton>

#include "app/dialog/data_exchange.h"

CEquationPage::CEquationPage() : CalculationPage(kEquationTemplate) {
    // This page keeps no message text.
    describe({.button = kSolve,
              .kind = kKindRoot,
              .inputs = {kEquationFormula, kLeft, kRight, kDelta, kEpsilon},
              .result = kRoot,
              .formula = kEquationFormula,
              .from = kLeft,
              .to = kRight,
              .plot = PlotKind::Equation},
             {[this](WorkControl* control, Precision mode) {
                  return RunSolveRequest(m_strFormula, m_dLeft, m_dRight, m_dDelta, m_dEpsilon,
                                         m_bNoRoot, control, mode);
              },
              &m_dRoot});
}

void CEquationPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.text(kRight, m_dRight);
    dx.text(kDelta, m_dDelta);
    dx.text(kEpsilon, m_dEpsilon);
    dx.text(kEquationFormula, m_strFormula);
    dx.text(kRoot, m_dRoot);
    dx.text(kLeft, m_dLeft);
}

void CEquationPage::OnInitDialog() {
    CalculationPage::OnInitDialog();
    m_bNoRoot = 0;
    connect(button(kSolve), &QPushButton::clicked, this, &CEquationPage::OnSolve);
    watchFormulas();
}

void CEquationPage::OnSolve() { runRequest(kSolve); }
