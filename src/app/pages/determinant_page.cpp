// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/determinant_page.h"

#include <QPushButton>

#include "app/data_exchange.h"
#include "app/pages/page_work.h"

CDeterminantPage::CDeterminantPage()
    : TemplatePage(134), logic_(ProgramDeterminantMatrix(), messages_, *this) {}

void CDeterminantPage::DoDataExchange(DataExchange& dx) {
    dx.text(1001, m_strElements);
    dx.text(1034, m_nOrder);
    dx.text(1009, m_fResult);
}

void CDeterminantPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    connect(button(1035), &QPushButton::clicked, this, &CDeterminantPage::OnCompute);
}

void CDeterminantPage::OnCompute() {
    if (!logic_.beginCompute()) return;
    logic_.finishCompute(RunMatrixWork<DeterminantResult>(
        this, [this](WorkControl* control) { return logic_.computeDeterminant(control); }));
}
