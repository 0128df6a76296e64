// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/pages/calculation_page.h"
#include "app/pages/integral_controls.h"
#include "calculus/requests.h"

// The integral and derivative page. kIntegralEquals ("＝" of the integral
// group) runs the integral request, kDerivativeEquals the derivative request.
class CIntegralPage : public CalculationPage {
    Q_OBJECT
  public:
    CIntegralPage();

    std::string m_strMessage;
    int m_bFailed = 0;
    double m_dLower = 0.0;
    double m_dUpper = 0.0;
    double m_dDiffResult = 0.0;
    std::string m_strIntegrand;
    std::string m_strDiffFormula;
    double m_dPoint = 0.0;
    int m_nIntDepth = kDefaultDepth;
    double m_dIntPrecision = kDefaultPrecision;
    double m_dIntResult = 0.0;
    double m_dDiffPrecision = kDefaultPrecision;
    int m_nDiffDepth = kDefaultDepth;
    double m_dInitStep = kDefaultInitialStep;

    void OnIntegralEquals();
    void OnDerivativeEquals();

  protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
};
