// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/determinant_page.h"

#include "app/data_exchange.h"

CDeterminantPage::CDeterminantPage() : TemplatePage(134) {}

void CDeterminantPage::DoDataExchange(DataExchange& dx) {
    dx.text(1001, m_strElements);
    dx.text(1034, m_nOrder);
    dx.text(1009, m_fResult);
}
