// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/equation_page.h"

#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/pages/page_work.h"
#include "app/plot/page_plots.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"

CEquationPage::CEquationPage() : TemplatePage(kEquationTemplate) {}

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
    TemplatePage::OnInitDialog();
    m_bNoRoot = 0;
    connect(button(kSolve), &QPushButton::clicked, this, &CEquationPage::OnSolve);
    diagnoseAsTyped(control<FieldEdit>(kEquationFormula));
    attachEquationPagePlots(*this);
}

void CEquationPage::OnSolve() {
    if (!UpdateData(true)) return;
    const RequestOutcome outcome = RunPageRequest(this, [this](WorkControl* control) {
        return RunSolveRequest(m_strFormula, m_dLeft, m_dRight, m_dDelta, m_dEpsilon, m_bNoRoot,
                               control);
    });
    std::string message;  // this page loads its messages into a local string
    if (TakeOutcome(outcome, m_strFormula, m_dRoot, message, messages())) {
        UpdateData(false);
        emit calculated(kSolve);
    }
}
