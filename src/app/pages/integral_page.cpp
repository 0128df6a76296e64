// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/integral_page.h"

#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/look/art_ids.h"

CIntegralPage::CIntegralPage() : CalculationPage(kIntegralTemplate) {
    describe({.button = kIntegralEquals,
              .kind = kKindIntegral,
              .inputs = {kIntegrand, kLower, kUpper, kIntPrecision, kIntDepth},
              .result = kIntResult,
              .formula = kIntegrand,
              .from = kLower,
              .to = kUpper,
              .plot = PlotKind::Integral,
              .picture = kIntegralPageIcon},
             {[this](WorkControl* control, Precision mode) {
                  return RunIntegralRequest(m_strIntegrand, m_dLower, m_dUpper, m_dIntPrecision,
                                            m_nIntDepth, m_bFailed, control, mode);
              },
              &m_dIntResult, &m_strMessage});
    describe({.button = kDerivativeEquals,
              .kind = kKindDerivative,
              .inputs = {kDiffFormula, kPoint, kInitStep, kDiffPrecision, kDiffDepth},
              .result = kDiffResult,
              .formula = kDiffFormula,
              .from = kPoint,
              .to = kPoint,
              .plot = PlotKind::Derivative},
             {[this](WorkControl* control, Precision mode) {
                  return RunDerivativeRequest(m_strDiffFormula, m_dPoint, m_dInitStep,
                                              m_dDiffPrecision, m_nDiffDepth, m_bFailed, control,
                                              mode);
              },
              &m_dDiffResult, &m_strMessage});
}

void CIntegralPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.text(kLower, m_dLower);
    dx.text(kUpper, m_dUpper);
    dx.text(kDiffResult, m_dDiffResult);
    dx.text(kIntegrand, m_strIntegrand);
    dx.text(kDiffFormula, m_strDiffFormula);
    dx.text(kPoint, m_dPoint);
    dx.text(kIntDepth, m_nIntDepth);
    dx.text(kIntPrecision, m_dIntPrecision);
    dx.text(kIntResult, m_dIntResult);
    dx.text(kDiffPrecision, m_dDiffPrecision);
    dx.text(kDiffDepth, m_nDiffDepth);
    dx.text(kInitStep, m_dInitStep);
}

void CIntegralPage::OnInitDialog() {
    CalculationPage::OnInitDialog();
    m_bFailed = 0;
    connect(button(kIntegralEquals), &QPushButton::clicked, this, &CIntegralPage::OnIntegralEquals);
    connect(button(kDerivativeEquals), &QPushButton::clicked, this,
            &CIntegralPage::OnDerivativeEquals);
    watchFormulas();
}

void CIntegralPage::OnIntegralEquals() { runRequest(kIntegralEquals); }

void CIntegralPage::OnDerivativeEquals() { runRequest(kDerivativeEquals); }
