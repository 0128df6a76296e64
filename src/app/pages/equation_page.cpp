#include "app/pages/equation_page.h"

#include "app/data_exchange.h"

CEquationPage::CEquationPage() : TemplatePage(133) {}

void CEquationPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.text(1028, m_dRight);
    dx.text(1029, m_dDelta);
    dx.text(1030, m_dEpsilon);
    dx.text(1001, m_strFormula);
    dx.text(1032, m_dRoot);
    dx.text(1027, m_dLeft);
}

void CEquationPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    m_bNoRoot = 0;
}
