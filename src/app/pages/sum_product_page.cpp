// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/sum_product_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/pages/page_work.h"
#include "app/plot/page_plots.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"

CSumProductPage::CSumProductPage() : TemplatePage(kSumProductTemplate) {}

void CSumProductPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.control(kSumStep, m_editSumStep);
    dx.control(kProdStep, m_editProdStep);
    dx.text(kProdFrom, m_dProdFrom);
    dx.text(kProdFormula, m_strProdFormula);
    dx.text(kProdTo, m_dProdTo);
    dx.text(kProdResult, m_dProdResult);
    dx.text(kProdStep, m_dProdStep);
    dx.text(kSumFrom, m_dSumFrom);
    dx.check(kProdStepBox, m_bProdStep);
    dx.text(kSumTo, m_dSumTo);
    dx.check(kSumStepBox, m_bSumStep);
    dx.text(kSumResult, m_dSumResult);
    dx.text(kSumStep, m_dSumStep);
    dx.text(kSumFormula, m_strSumFormula);
}

void CSumProductPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    connect(button(kSumEquals), &QPushButton::clicked, this, &CSumProductPage::OnSumEquals);
    connect(button(kProductEquals), &QPushButton::clicked, this, &CSumProductPage::OnProductEquals);
    connect(control<QCheckBox>(kSumStepBox), &QCheckBox::clicked, this,
            &CSumProductPage::OnSumStepCheck);
    connect(control<QCheckBox>(kProdStepBox), &QCheckBox::clicked, this,
            &CSumProductPage::OnProductStepCheck);
    for (const int formula : {kSumFormula, kProdFormula})
        diagnoseAsTyped(control<FieldEdit>(formula));
    attachSumProductPagePlots(*this);
}

void CSumProductPage::OnSumEquals() {
    if (!UpdateData(true)) return;
    const RequestOutcome outcome = RunPageRequest(this, [this](WorkControl* control) {
        return RunSumRequest(m_strSumFormula, m_dSumFrom, m_dSumTo, m_bSumStep != 0, m_dSumStep,
                             control);
    });
    if (TakeOutcome(outcome, m_strSumFormula, m_dSumResult, m_strMessage, messages())) {
        UpdateData(false);
        emit calculated(kSumEquals);
    }
}

void CSumProductPage::OnProductEquals() {
    if (!UpdateData(true)) return;
    const RequestOutcome outcome = RunPageRequest(this, [this](WorkControl* control) {
        return RunProductRequest(m_strProdFormula, m_dProdFrom, m_dProdTo, m_bProdStep != 0,
                                 m_dProdStep, control);
    });
    if (TakeOutcome(outcome, m_strProdFormula, m_dProdResult, m_strMessage, messages())) {
        UpdateData(false);
        emit calculated(kProductEquals);
    }
}

// The box has already changed its own state; the step edit follows the box
// itself, which a read refused before it reaches the box would leave unread.
void CSumProductPage::OnSumStepCheck() {
    UpdateData(true);
    m_editSumStep->setReadOnly(!control<QCheckBox>(kSumStepBox)->isChecked());
}

void CSumProductPage::OnProductStepCheck() {
    UpdateData(true);
    m_editProdStep->setReadOnly(!control<QCheckBox>(kProdStepBox)->isChecked());
}
