// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/integral_page.h"

#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/pages/page_work.h"
#include "app/plot/page_plots.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"

CIntegralPage::CIntegralPage() : TemplatePage(131) {}

void CIntegralPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.text(1017, m_dLower);
    dx.text(1016, m_dUpper);
    dx.text(1003, m_dDiffResult);
    dx.text(1001, m_strIntegrand);
    dx.text(1009, m_strDiffFormula);
    dx.text(1010, m_dPoint);
    dx.text(1020, m_nIntDepth);
    dx.text(1019, m_dIntPrecision);
    dx.text(1002, m_dIntResult);
    dx.text(1021, m_dDiffPrecision);
    dx.text(1022, m_nDiffDepth);
    dx.text(1023, m_dInitStep);
}

void CIntegralPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    m_bFailed = 0;
    connect(button(1015), &QPushButton::clicked, this, &CIntegralPage::OnIntegralEquals);
    connect(button(1018), &QPushButton::clicked, this, &CIntegralPage::OnDerivativeEquals);
    for (const int formula : {1001, 1009}) diagnoseAsTyped(control<FieldEdit>(formula));
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
        emit calculated(1015);
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
        emit calculated(1018);
    }
}
