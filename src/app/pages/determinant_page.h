// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/template_page.h"

// The determinant page (template 134). Button 1035 ("计算") runs the
// computation.
class CDeterminantPage : public TemplatePage {
    Q_OBJECT
  public:
    CDeterminantPage();

    std::string m_strElements;
    int m_nOrder = 0;
    float m_fResult = 0.0f;

  protected:
    void DoDataExchange(DataExchange& dx) override;
};
