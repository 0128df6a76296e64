// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/integral_page.h"

#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/pages/page_work.h"
#include "app/plot/page_plots.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"

CIntegralPage::CIntegralPage() : TemplatePage(kIntegralTemplate) {}

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
    TemplatePage::OnInitDialog();
    m_bFailed = 0;
    connect(button(kIntegralEquals), &QPushButton::clicked, this, &CIntegralPage::OnIntegralEquals);
    connect(button(kDerivativeEquals), &QPushButton::clicked, this,
            &CIntegralPage::OnDerivativeEquals);
    for (const int formula : {kIntegrand, kDiffFormula})
        diagnoseAsTyped(control<FieldEdit>(formula));
    attachIntegralPagePlots(*this);
}

void CIntegralPage::OnIntegralEquals() {
    if (!UpdateData(true)) return;
    const RequestOutcome outcome = RunPageRequest(this, [this](WorkControl* control) {
        return RunIntegralRequest(m_strIntegrand, m_dLower, m_dUpper, m_dIntPrecision, m_nIntDepth,
                                  m_bFailed, control);
    });
    if (TakeOutcome(outcome, m_strIntegrand, m_dIntResult, m_strMessage, messages())) {
        UpdateData(false);
        emit calculated(kIntegralEquals);
    }
}

void CIntegralPage::OnDerivativeEquals() {
    if (!UpdateData(true)) return;
    const RequestOutcome outcome = RunPageRequest(this, [this](WorkControl* control) {
        return RunDerivativeRequest(m_strDiffFormula, m_dPoint, m_dInitStep, m_dDiffPrecision,
                                    m_nDiffDepth, m_bFailed, control);
    });
    if (TakeOutcome(outcome, m_strDiffFormula, m_dDiffResult, m_strMessage, messages())) {
        UpdateData(false);
        emit calculated(kDerivativeEquals);
    }
}
