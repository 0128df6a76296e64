// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog/template_ids.h"
#include "app/pages/determinant_page.h"
#include "app/pages/integral_page.h"
#include "app/pages/matrix_page.h"
#include "app/pages/sum_product_page.h"
#include "ui_test_support.h"

namespace {

// Records the keys that reach the window around a page.
class KeyRecordingWindow : public QWidget {
  public:
    QList<int> keys;

  protected:
    void keyPressEvent(QKeyEvent* event) override { keys.append(event->key()); }
};

template <class Page>
struct ShownPage {
    ShownPage() {
        page.setMessageService(&messages);
        page.Create(&window);
        ok = showActive(window);
    }
    KeyRecordingWindow window;
    RecordingMessageService messages;
    Page page;
    bool ok = false;
};

TEST(PageProtocol, EnterInAFieldPressesItsButtonOnlyAndEscapeNothing) {
    ShownPage<CIntegralPage> shown;
    ASSERT_TRUE(shown.ok);
    int equalsClicks = 0;
    int defaultClicks = 0;
    QObject::connect(shown.page.button(kIntegralEquals), &QPushButton::clicked,
                     [&] { ++equalsClicks; });
    QObject::connect(shown.page.button(kDefaultButtonId), &QPushButton::clicked,
                     [&] { ++defaultClicks; });

    QLineEdit* integrand = lineEdit(shown.page, kIntegrand);
    integrand->setFocus();
    QTest::keyClicks(integrand, "x^2");
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(integrand, static_cast<Qt::Key>(key));
    }
    EXPECT_TRUE(shown.page.isVisible());
    EXPECT_EQ(integrand->text(), "x^2");
    EXPECT_EQ(equalsClicks, 2);
    EXPECT_EQ(defaultClicks, 0);
    EXPECT_TRUE(shown.window.keys.isEmpty());
    EXPECT_TRUE(shown.messages.shown.empty());

    // The Enter a field of no request leaves goes to the default button,
    // which does nothing only because it is hidden.
    shown.page.button(kDefaultButtonId)->show();
    QLineEdit* result = lineEdit(shown.page, kIntResult);
    result->setFocus();
    QTest::keyClick(result, Qt::Key_Return);
    EXPECT_EQ(defaultClicks, 1);
    EXPECT_EQ(equalsClicks, 2);
}

TEST(PageProtocol, EnterOnAFocusedPushButtonPressesIt) {
    ShownPage<CIntegralPage> shown;
    ASSERT_TRUE(shown.ok);
    int clicks = 0;
    QObject::connect(shown.page.button(kDerivativeEquals), &QPushButton::clicked,
                     [&] { ++clicks; });
    shown.page.button(kDerivativeEquals)->setFocus();
    QTest::keyClick(shown.page.button(kDerivativeEquals), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST(PageProtocol, EnterInAMultiLineEditStartsANewLine) {
    ShownPage<CMatrixPage> shown;
    ASSERT_TRUE(shown.ok);
    auto* elements = shown.page.control<QPlainTextEdit>(kMatrixElements);
    elements->setFocus();
    QTest::keyClicks(elements, "1 2");
    QTest::keyClick(elements, Qt::Key_Return);
    QTest::keyClicks(elements, "3 4");
    QTest::keyClick(elements, Qt::Key_Escape);
    EXPECT_EQ(elements->toPlainText(), "1 2\n3 4");
    EXPECT_TRUE(shown.page.isVisible());
    EXPECT_TRUE(shown.window.keys.isEmpty());

    ShownPage<CDeterminantPage> determinant;
    ASSERT_TRUE(determinant.ok);
    auto* text = determinant.page.control<QPlainTextEdit>(kDeterminantElements);
    text->setFocus();
    QTest::keyClicks(text, "5");
    QTest::keyClick(text, Qt::Key_Enter);
    QTest::keyClicks(text, "6");
    EXPECT_EQ(text->toPlainText(), "5\n6");
}

TEST(PageProtocol, DigitsOnlyEditsTakeNothingButDigits) {
    ShownPage<CIntegralPage> integral;
    ASSERT_TRUE(integral.ok);
    QLineEdit* depth = lineEdit(integral.page, kIntDepth);
    retype(depth, "1a-2.5 ");
    EXPECT_EQ(depth->text(), "125");

    ShownPage<CMatrixPage> matrix;
    ASSERT_TRUE(matrix.ok);
    retype(lineEdit(matrix.page, kMatrixCols), "-3x");
    EXPECT_EQ(lineEdit(matrix.page, kMatrixCols)->text(), "3");
    // The order of a determinant is an ordinary field.
    ShownPage<CDeterminantPage> determinant;
    ASSERT_TRUE(determinant.ok);
    retype(lineEdit(determinant.page, kOrder), "-3x");
    EXPECT_EQ(lineEdit(determinant.page, kOrder)->text(), "-3x");
}

TEST(PageProtocol, ReadOnlyEditsAreGreyAndFollowTheirState) {
    ShownPage<CSumProductPage> shown;
    ASSERT_TRUE(shown.ok);
    const QColor grey(192, 192, 192);
    QLineEdit* step = lineEdit(shown.page, kSumStep);
    EXPECT_TRUE(step->isReadOnly());
    EXPECT_EQ(step->palette().color(QPalette::Base), grey);
    EXPECT_EQ(step->palette().color(QPalette::Text), QColor(0, 64, 128));
    EXPECT_EQ(lineEdit(shown.page, kSumFormula)->palette().color(QPalette::Base), Qt::white);

    step->setReadOnly(false);
    EXPECT_EQ(step->palette().color(QPalette::Base), Qt::white);
    retype(step, "0.5");
    step->setReadOnly(true);
    EXPECT_EQ(step->palette().color(QPalette::Base), grey);
    EXPECT_EQ(step->text(), "0.5");
}

TEST(PageProtocol, TakingTheFocusReturnsToTheLastFieldOrTheFirstStop) {
    ShownPage<CIntegralPage> shown;
    QLineEdit outside(&shown.window);
    outside.move(0, 300);
    outside.show();
    ASSERT_TRUE(shown.ok);
    outside.setFocus();
    shown.page.takeFocus();
    // The first tab stop of the template is the lower limit, its text selected.
    EXPECT_EQ(QApplication::focusWidget(), lineEdit(shown.page, kLower));
    EXPECT_EQ(lineEdit(shown.page, kLower)->selectedText(), "0");

    QLineEdit* formula = lineEdit(shown.page, kDiffFormula);
    formula->setFocus();
    formula->setText("x^3");
    outside.setFocus();
    shown.page.takeFocus();
    EXPECT_EQ(QApplication::focusWidget(), formula);
    EXPECT_EQ(formula->selectedText(), "x^3");
}

}  // namespace
