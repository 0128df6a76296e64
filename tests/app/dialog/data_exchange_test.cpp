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
    EXPECT_EQ(textOf(integral.page, kIntDepth), "10");
    EXPECT_EQ(textOf(integral.page, kIntPrecision), "0.0001");
    EXPECT_EQ(textOf(integral.page, kInitStep), "0.01");
    EXPECT_EQ(textOf(integral.page, kLower), "0");
    EXPECT_EQ(textOf(integral.page, kIntegrand), "");

    Hosted<CEquationPage> equation;
    EXPECT_EQ(textOf(equation.page, kDelta), "0.01");
    EXPECT_EQ(textOf(equation.page, kEpsilon), "0.01");
    EXPECT_EQ(textOf(equation.page, kRoot), "0");
    EXPECT_TRUE(integral.messages.shown.empty());
}

TEST(DataExchange, WritesDoublesWithFifteenDigitsAndSinglesWithSix) {
    Hosted<CIntegralPage> integral;
    integral.page.m_dIntResult = 0.1 + 0.2;  // 0.30000000000000004
    integral.page.m_dDiffResult = 1.0 / 3.0;
    integral.page.m_dLower = 1e-20 / 3.0;
    integral.page.m_dUpper = 123456789012345678.0;
    integral.page.UpdateData(false);
    EXPECT_EQ(textOf(integral.page, kIntResult), "0.3");
    EXPECT_EQ(textOf(integral.page, kDiffResult), "0.333333333333333");
    EXPECT_EQ(textOf(integral.page, kLower), "3.33333333333333e-21");
    EXPECT_EQ(textOf(integral.page, kUpper), "1.23456789012346e+17");

    Hosted<CDeterminantPage> determinant;
    determinant.page.m_fResult = 1.0f / 3.0f;
    determinant.page.UpdateData(false);
    EXPECT_EQ(textOf(determinant.page, kDeterminantValue), "0.333333");
    determinant.page.m_fResult = -2.0f;
    determinant.page.UpdateData(false);
    EXPECT_EQ(textOf(determinant.page, kDeterminantValue), "-2");
}

// Exchange order of the integral page: kLower, kUpper, kDiffResult,
// kIntegrand, kDiffFormula, kPoint, kIntDepth, kIntPrecision, kIntResult,
// kDiffPrecision, kDiffDepth, kInitStep. A refused depth leaves the rest unread.
TEST(DataExchange, ARefusedReadStopsTheExchangeAtThatControl) {
    Hosted<CIntegralPage> hosted;
    ASSERT_TRUE(showActive(hosted.window));
    CIntegralPage& page = hosted.page;
    lineEdit(page, kLower)->setText("1.5");
    lineEdit(page, kUpper)->setText(" 2 ");
    lineEdit(page, kIntegrand)->setText("sin(x)");
    lineEdit(page, kPoint)->setText("-3e2");
    lineEdit(page, kIntDepth)->setText("12a");
    lineEdit(page, kIntPrecision)->setText("0.5");
    lineEdit(page, kInitStep)->setText("7");

    EXPECT_FALSE(page.UpdateData(true));
    EXPECT_EQ(page.m_dLower, 1.5);
    EXPECT_EQ(page.m_dUpper, 2.0);
    EXPECT_EQ(page.m_strIntegrand, "sin(x)");
    EXPECT_EQ(page.m_dPoint, -300.0);
    EXPECT_EQ(page.m_nIntDepth, 10);
    EXPECT_EQ(page.m_dIntPrecision, 0.0001);
    EXPECT_EQ(page.m_dInitStep, 0.01);
    EXPECT_EQ(hosted.messages.shown, std::vector<int>{kMsgNotAnInteger});
    EXPECT_EQ(QApplication::focusWidget(), lineEdit(page, kIntDepth));
    EXPECT_EQ(lineEdit(page, kIntDepth)->selectedText(), "12a");

    // Once corrected, the whole page reads.
    lineEdit(page, kIntDepth)->setText("12");
    EXPECT_TRUE(page.UpdateData(true));
    EXPECT_EQ(page.m_nIntDepth, 12);
    EXPECT_EQ(page.m_dIntPrecision, 0.5);
    EXPECT_EQ(page.m_dInitStep, 7.0);
    EXPECT_EQ(hosted.messages.shown.size(), 1u);
}

TEST(DataExchange, RefusesWhatIsNotANumberWithItsOwnMessage) {
    Hosted<CEquationPage> hosted;
    CEquationPage& page = hosted.page;
    // kRight comes first in the order; nothing after it is read.
    for (const char* bad : {"", "1,5", "abc", "1e400", "0x10", "1 2"}) {
        lineEdit(page, kRight)->setText(bad);
        lineEdit(page, kDelta)->setText("0.5");
        EXPECT_FALSE(page.UpdateData(true)) << bad;
        EXPECT_EQ(page.m_dDelta, 0.01) << bad;
    }
    EXPECT_EQ(hosted.messages.shown, std::vector<int>(6, kMsgNotANumber));

    Hosted<CMatrixPage> matrix;
    for (const char* bad : {"", "1.5", "2e1", "99999999999"}) {
        lineEdit(matrix.page, kMatrixRows)->setText(bad);
        EXPECT_FALSE(matrix.page.UpdateData(true)) << bad;
    }
    EXPECT_EQ(matrix.messages.shown, std::vector<int>(4, kMsgNotAnInteger));

    // A single's field refuses what a single cannot hold.
    Hosted<CDeterminantPage> determinant;
    lineEdit(determinant.page, kDeterminantValue)->setText("1e39");
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
    EXPECT_EQ(page.control<QPlainTextEdit>(kMatrixElements)->toPlainText(), "1，2\n3 4");

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
    EXPECT_EQ(page.m_editSumStep, lineEdit(page, kSumStep));
    EXPECT_EQ(page.m_editProdStep, lineEdit(page, kProdStep));

    page.control<QCheckBox>(kSumStepBox)->setChecked(true);
    ASSERT_TRUE(page.UpdateData(true));
    EXPECT_EQ(page.m_bSumStep, 1);
    EXPECT_EQ(page.m_bProdStep, 0);
    page.m_bSumStep = 0;
    page.m_bProdStep = 1;
    page.UpdateData(false);
    EXPECT_FALSE(page.control<QCheckBox>(kSumStepBox)->isChecked());
    EXPECT_TRUE(page.control<QCheckBox>(kProdStepBox)->isChecked());

    Hosted<CMatrixPage> matrix;
    EXPECT_EQ(matrix.page.m_cbList, matrix.page.control<QComboBox>(kMatrixList));
    EXPECT_EQ(matrix.page.m_cbFirst, matrix.page.control<QComboBox>(kFirstOperand));
    EXPECT_EQ(matrix.page.m_cbSecond, matrix.page.control<QComboBox>(kSecondOperand));
}

}  // namespace
