// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/sum_product_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/look/art_ids.h"

CSumProductPage::CSumProductPage() : CalculationPage(kSumProductTemplate) {
    describe({.button = kSumEquals,
              .kind = kKindSum,
              .inputs = {kSumFormula, kSumFrom, kSumTo, kSumStepBox, kSumStep},
              .result = kSumResult,
              .stepBox = kSumStepBox,
              .stepEdit = kSumStep,
              .formula = kSumFormula,
              .from = kSumFrom,
              .to = kSumTo,
              .plot = PlotKind::Progression,
              .picture = kSigmaBitmap},
             {[this](WorkControl* control, Precision mode) {
                  return RunSumRequest(m_strSumFormula, m_dSumFrom, m_dSumTo, m_bSumStep != 0,
                                       m_dSumStep, control, mode);
              },
              &m_dSumResult, &m_strMessage});
    describe({.button = kProductEquals,
              .kind = kKindProduct,
              .inputs = {kProdFormula, kProdFrom, kProdTo, kProdStepBox, kProdStep},
              .result = kProdResult,
              .stepBox = kProdStepBox,
              .stepEdit = kProdStep,
              .formula = kProdFormula,
              .from = kProdFrom,
              .to = kProdTo,
              .plot = PlotKind::Progression,
              .picture = kPiBitmap},
             {[this](WorkControl* control, Precision mode) {
                  return RunProductRequest(m_strProdFormula, m_dProdFrom, m_dProdTo,
                                           m_bProdStep != 0, m_dProdStep, control, mode);
              },
              &m_dProdResult, &m_strMessage});
}

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
    CalculationPage::OnInitDialog();
    connect(button(kSumEquals), &QPushButton::clicked, this, &CSumProductPage::OnSumEquals);
    connect(button(kProductEquals), &QPushButton::clicked, this, &CSumProductPage::OnProductEquals);
    connect(control<QCheckBox>(kSumStepBox), &QCheckBox::clicked, this,
            &CSumProductPage::OnSumStepCheck);
    connect(control<QCheckBox>(kProdStepBox), &QCheckBox::clicked, this,
            &CSumProductPage::OnProductStepCheck);
    watchFormulas();
}

void CSumProductPage::OnSumEquals() { runRequest(kSumEquals); }

void CSumProductPage::OnProductEquals() { runRequest(kProductEquals); }

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
