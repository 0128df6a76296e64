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

CSumProductPage::CSumProductPage() : TemplatePage(132) {}

void CSumProductPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.control(1023, m_editSumStep);
    dx.control(1025, m_editProdStep);
    dx.text(1004, m_dProdFrom);
    dx.text(1021, m_strProdFormula);
    dx.text(1003, m_dProdTo);
    dx.text(1010, m_dProdResult);
    dx.text(1025, m_dProdStep);
    dx.text(1002, m_dSumFrom);
    dx.check(1024, m_bProdStep);
    dx.text(1001, m_dSumTo);
    dx.check(1022, m_bSumStep);
    dx.text(1009, m_dSumResult);
    dx.text(1023, m_dSumStep);
    dx.text(1020, m_strSumFormula);
}

void CSumProductPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    connect(button(1026), &QPushButton::clicked, this, &CSumProductPage::OnSumEquals);
    connect(button(1005), &QPushButton::clicked, this, &CSumProductPage::OnProductEquals);
    connect(control<QCheckBox>(1022), &QCheckBox::clicked, this, &CSumProductPage::OnSumStepCheck);
    connect(control<QCheckBox>(1024), &QCheckBox::clicked, this,
            &CSumProductPage::OnProductStepCheck);
    for (const int formula : {1020, 1021}) diagnoseAsTyped(control<FieldEdit>(formula));
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
        emit calculated(1026);
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
        emit calculated(1005);
    }
}

// The box has already changed its own state; the step edit follows the box
// itself, which a read refused before it reaches the box would leave unread.
void CSumProductPage::OnSumStepCheck() {
    UpdateData(true);
    m_editSumStep->setReadOnly(!control<QCheckBox>(1022)->isChecked());
}

void CSumProductPage::OnProductStepCheck() {
    UpdateData(true);
    m_editProdStep->setReadOnly(!control<QCheckBox>(1024)->isChecked());
}
