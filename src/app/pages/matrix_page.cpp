// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/matrix_page.h"

#include <QComboBox>

#include "app/data_exchange.h"

CMatrixPage::CMatrixPage() : TemplatePage(129) {}

void CMatrixPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.control(1008, m_cbList);
    dx.control(1007, m_cbSecond);
    dx.control(1006, m_cbFirst);
    dx.text(1001, m_strElements);
    dx.text(1009, m_strName);
    dx.text(1004, m_nRows);
    dx.text(1005, m_nCols);
}
