// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

#include "app/dialog/data_exchange.h"
#include "app/pages/determinant_page.h"
#include "app/pages/equation_page.h"
#include "app/pages/integral_page.h"
#include "app/pages/matrix_page.h"
#include "app/pages/sum_product_page.h"
#include "ui_test_support.h"

namespace {

// A page created inside a window of its own, with its messages recorded.
template <class Page>
struct Hosted {
    Hosted() {
        page.setMessageService(&messages);
        page.Create(&window);
    }
    QWidget window;
    RecordingMessageService messages;
    Page page;
};

QString textOf(const DialogWidget& page, int id) { return lineEdit(page, id)->text(); }

TEST(DataExchange, CreatingAPageWritesItsDefaults) {
    Hosted<CIntegralPage> integral;
    EXPECT_EQ(textOf(integral.page, 1020), "10");
    EXPECT_EQ(textOf(integral.page, 1019), "0.0001");
    EXPECT_EQ(textOf(integral.page, 1023), "0.01");
    EXPECT_EQ(textOf(integral.page, 1017), "0");
    EXPECT_EQ(textOf(integral.page, 1001), "");

    Hosted<CEquationPage> equation;
    EXPECT_EQ(textOf(equation.page, 1029), "0.01");
    EXPECT_EQ(textOf(equation.page, 1030), "0.01");
    EXPECT_EQ(textOf(equation.page, 1032), "0");
    EXPECT_TRUE(integral.messages.shown.empty());
}

TEST(DataExchange, WritesDoublesWithFifteenDigitsAndSinglesWithSix) {
    Hosted<CIntegralPage> integral;
    integral.page.m_dIntResult = 0.1 + 0.2;  // 0.30000000000000004
    integral.page.m_dDiffResult = 1.0 / 3.0;
    integral.page.m_dLower = 1e-20 / 3.0;
    integral.page.m_dUpper = 123456789012345678.0;
    integral.page.UpdateData(false);
    EXPECT_EQ(textOf(integral.page, 1002), "0.3");
    EXPECT_EQ(textOf(integral.page, 1003), "0.333333333333333");
    EXPECT_EQ(textOf(integral.page, 1017), "3.33333333333333e-21");
    EXPECT_EQ(textOf(integral.page, 1016), "1.23456789012346e+17");

    Hosted<CDeterminantPage> determinant;
    determinant.page.m_fResult = 1.0f / 3.0f;
    determinant.page.UpdateData(false);
    EXPECT_EQ(textOf(determinant.page, 1009), "0.333333");
    determinant.page.m_fResult = -2.0f;
    determinant.page.UpdateData(false);
    EXPECT_EQ(textOf(determinant.page, 1009), "-2");
}

// Exchange order of the integral page: 1017 1016 1003 1001 1009 1010 1020
// 1019 1002 1021 1022 1023. A refused depth (1020) leaves the rest unread.
TEST(DataExchange, ARefusedReadStopsTheExchangeAtThatControl) {
    Hosted<CIntegralPage> hosted;
    ASSERT_TRUE(showActive(hosted.window));
    CIntegralPage& page = hosted.page;
    lineEdit(page, 1017)->setText("1.5");
    lineEdit(page, 1016)->setText(" 2 ");
    lineEdit(page, 1001)->setText("sin(x)");
    lineEdit(page, 1010)->setText("-3e2");
    lineEdit(page, 1020)->setText("12a");
    lineEdit(page, 1019)->setText("0.5");
    lineEdit(page, 1023)->setText("7");

    EXPECT_FALSE(page.UpdateData(true));
    EXPECT_EQ(page.m_dLower, 1.5);
    EXPECT_EQ(page.m_dUpper, 2.0);
    EXPECT_EQ(page.m_strIntegrand, "sin(x)");
    EXPECT_EQ(page.m_dPoint, -300.0);
    EXPECT_EQ(page.m_nIntDepth, 10);
    EXPECT_EQ(page.m_dIntPrecision, 0.0001);
    EXPECT_EQ(page.m_dInitStep, 0.01);
    EXPECT_EQ(hosted.messages.shown, std::vector<int>{kMsgNotAnInteger});
    EXPECT_EQ(QApplication::focusWidget(), lineEdit(page, 1020));
    EXPECT_EQ(lineEdit(page, 1020)->selectedText(), "12a");

    // Once corrected, the whole page reads.
    lineEdit(page, 1020)->setText("12");
    EXPECT_TRUE(page.UpdateData(true));
    EXPECT_EQ(page.m_nIntDepth, 12);
    EXPECT_EQ(page.m_dIntPrecision, 0.5);
    EXPECT_EQ(page.m_dInitStep, 7.0);
    EXPECT_EQ(hosted.messages.shown.size(), 1u);
}

TEST(DataExchange, RefusesWhatIsNotANumberWithItsOwnMessage) {
    Hosted<CEquationPage> hosted;
    CEquationPage& page = hosted.page;
    // 1028 comes first in the order; nothing after it is read.
    for (const char* bad : {"", "1,5", "abc", "1e400", "0x10", "1 2"}) {
        lineEdit(page, 1028)->setText(bad);
        lineEdit(page, 1029)->setText("0.5");
        EXPECT_FALSE(page.UpdateData(true)) << bad;
        EXPECT_EQ(page.m_dDelta, 0.01) << bad;
    }
    EXPECT_EQ(hosted.messages.shown, std::vector<int>(6, kMsgNotANumber));

    Hosted<CMatrixPage> matrix;
    for (const char* bad : {"", "1.5", "2e1", "99999999999"}) {
        lineEdit(matrix.page, 1004)->setText(bad);
        EXPECT_FALSE(matrix.page.UpdateData(true)) << bad;
    }
    EXPECT_EQ(matrix.messages.shown, std::vector<int>(4, kMsgNotAnInteger));

    // A single's field refuses what a single cannot hold.
    Hosted<CDeterminantPage> determinant;
    lineEdit(determinant.page, 1009)->setText("1e39");
    EXPECT_FALSE(determinant.page.UpdateData(true));
    EXPECT_EQ(determinant.messages.shown, std::vector<int>{kMsgNotANumber});
}

TEST(DataExchange, TextsKeepLineBreaksAndChineseCharacters) {
    Hosted<CMatrixPage> hosted;
    CMatrixPage& page = hosted.page;
    page.m_strElements = "1，2\n3 4";
    page.m_strName = "矩阵甲";
    page.m_nRows = 2;
    page.m_nCols = 2;
    page.UpdateData(false);
    EXPECT_EQ(page.control<QPlainTextEdit>(1001)->toPlainText(), "1，2\n3 4");

    page.m_strElements.clear();
    page.m_strName.clear();
    EXPECT_TRUE(page.UpdateData(true));
    EXPECT_EQ(page.m_strElements, "1，2\n3 4");
    EXPECT_EQ(page.m_strName, "矩阵甲");
    EXPECT_EQ(page.m_nRows, 2);
}

TEST(DataExchange, BindsControlsAndExchangesCheckBoxes) {
    Hosted<CSumProductPage> hosted;
    CSumProductPage& page = hosted.page;
    EXPECT_EQ(page.m_editSumStep, lineEdit(page, 1023));
    EXPECT_EQ(page.m_editProdStep, lineEdit(page, 1025));

    page.control<QCheckBox>(1022)->setChecked(true);
    ASSERT_TRUE(page.UpdateData(true));
    EXPECT_EQ(page.m_bSumStep, 1);
    EXPECT_EQ(page.m_bProdStep, 0);
    page.m_bSumStep = 0;
    page.m_bProdStep = 1;
    page.UpdateData(false);
    EXPECT_FALSE(page.control<QCheckBox>(1022)->isChecked());
    EXPECT_TRUE(page.control<QCheckBox>(1024)->isChecked());

    Hosted<CMatrixPage> matrix;
    EXPECT_EQ(matrix.page.m_cbList, matrix.page.control<QComboBox>(1008));
    EXPECT_EQ(matrix.page.m_cbFirst, matrix.page.control<QComboBox>(1006));
    EXPECT_EQ(matrix.page.m_cbSecond, matrix.page.control<QComboBox>(1007));
}

}  // namespace
