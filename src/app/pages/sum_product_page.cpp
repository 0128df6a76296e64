#include "app/pages/sum_product_page.h"

#include <QLineEdit>

#include "app/data_exchange.h"

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
