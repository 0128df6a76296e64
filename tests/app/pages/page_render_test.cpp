// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window with each page, and the About box, to PNG files in
// build/screens/ for a reviewer to look at, and checks what must be visible.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/dialog/template_page.h"
#include "app/shell/about_dlg.h"
#include "app/shell/mexora_dlg.h"
#include "ui_test_support.h"

namespace {

const QColor kGrey(192, 192, 192);

QString screenPath(const QString& name) {
    QDir().mkpath(QStringLiteral(MEXORA_SCREENS_DIR));
    return QDir(QStringLiteral(MEXORA_SCREENS_DIR)).filePath(name);
}

// How many pixels of the area differ from the dialog grey.
int paintedPixels(const QImage& image, const QRect& area) {
    int painted = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (QColor(image.pixel(x, y)) != kGrey) ++painted;
        }
    }
    return painted;
}

TEST(PageRendering, EveryPageRendersToAPicture) {
    CMexoraDlg window;
    window.Create(nullptr);
    ASSERT_TRUE(showActive(window));
    for (int i = 0; i < CMexoraDlg::kPageCount; ++i) {
        window.SelectPage(i);
        const QImage image = window.grab().toImage();
        ASSERT_EQ(image.size(), QSize(507, 290));
        EXPECT_TRUE(image.save(screenPath(QStringLiteral("page_%1.png").arg(i))));
        // The page area is grey with controls on it (the matrix page's edits
        // are large); the cover is a picture.
        const QRect pageArea(0, 0, 393, 264);
        const int painted = paintedPixels(image, pageArea);
        if (i == 0) {
            EXPECT_GT(painted, pageArea.width() * pageArea.height() * 9 / 10);
        } else {
            EXPECT_GT(painted, 2000) << i;
            EXPECT_LT(painted, pageArea.width() * pageArea.height() * 3 / 4) << i;
        }
    }
    // The pictures of the navigation list are drawn: not just white and text.
    const QImage image = window.grab().toImage();
    const QRect firstIcon =
        window.m_listNav->visualItemRect(window.m_listNav->item(0))
            .translated(window.m_listNav->viewport()->mapTo(&window, QPoint(0, 0)));
    QSet<QRgb> colours;
    for (int y = firstIcon.top(); y < firstIcon.top() + 48; ++y) {
        for (int x = firstIcon.left(); x <= firstIcon.right(); ++x)
            colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20);
}

// A worked example on each calculation page, for the README: what is typed,
// the button pressed, and the result it must show. With MEXORA_DOCS_PICTURES
// set to a folder, the pictures are written there too (scripts/pictures).
struct WorkedExample {
    int page;
    const char* picture;
    std::vector<std::pair<int, const char*>> typed;
    std::vector<int> clicks;
    int resultId;
    const char* result;
};

const WorkedExample kWorkedExamples[] = {
    {2,
     "integral_page.png",
     {{kIntegrand, "sinx"}, {kUpper, "3.14159265358979"}, {kDiffFormula, "x^3"}, {kPoint, "3"}},
     {kIntegralEquals, kDerivativeEquals},
     kDiffResult,
     "27.0008087158203"},
    {3,
     "sum_product_page.png",
     {{kSumFormula, "1/x^2"},
      {kSumFrom, "1"},
      {kSumTo, "1000"},
      {kProdFormula, "x"},
      {kProdFrom, "1"},
      {kProdTo, "10"}},
     {kSumEquals, kProductEquals},
     kProdResult,
     "3628800"},
    {4,
     "equation_page.png",
     {{kEquationFormula, "x*x-2"}, {kRight, "2"}},
     {kSolve},
     kRoot,
     "1.41416307860829"},
    {5,
     "determinant_page.png",
     {{kDeterminantElements, "1 2 3\n4 5 6\n7 8 10"}, {kOrder, "3"}},
     {kCompute},
     kDeterminantValue,
     "-3"},
};

// The page shown, with its entry highlighted in the navigation list.
void showPage(CMexoraDlg& window, int page) {
    window.SelectPage(page);
    window.m_listNav->setCurrentRow(page);
    window.m_listNav->scrollToItem(window.m_listNav->item(page));
}

void saveForTheReadme(const QImage& image, const char* name) {
    EXPECT_TRUE(image.save(screenPath(QString::fromLatin1(name))));
    const QString docs = qEnvironmentVariable("MEXORA_DOCS_PICTURES");
    if (!docs.isEmpty()) {
        EXPECT_TRUE(image.save(QDir(docs).filePath(QString::fromLatin1(name))));
    }
}

TEST(PageRendering, WorkedExamplesShowTheirResults) {
    RecordingMessageService messages;
    CMexoraDlg window(&messages);
    window.Create(nullptr);
    ASSERT_TRUE(showActive(window));
    for (const WorkedExample& example : kWorkedExamples) {
        showPage(window, example.page);
        TemplatePage& page = *window.page(example.page);
        for (const auto& [id, text] : example.typed) typeInto(page, id, QString::fromUtf8(text));
        for (const int id : example.clicks) QTest::mouseClick(page.button(id), Qt::LeftButton);
        EXPECT_EQ(shownText(page, example.resultId), example.result) << example.picture;
        saveForTheReadme(window.grab().toImage(), example.picture);
    }

    // The matrix page: two matrices in the list and their product.
    showPage(window, 1);
    TemplatePage& matrices = *window.page(1);
    const std::pair<const char*, const char*> operands[] = {{"A", "1 2 3\n4 5 6"},
                                                            {"B", "1 0\n0 1\n1 1"}};
    for (const auto& [name, elements] : operands) {
        typeInto(matrices, kMatrixElements, QString::fromUtf8(elements));
        typeInto(matrices, kMatrixRows, name[0] == 'A' ? "2" : "3");
        typeInto(matrices, kMatrixCols, name[0] == 'A' ? "3" : "2");
        typeInto(matrices, kMatrixName, name);
        QTest::mouseClick(matrices.button(kAddMatrix), Qt::LeftButton);
    }
    chooseInSelector(matrices, kFirstOperand, 0);
    chooseInSelector(matrices, kSecondOperand, 1);
    QTest::mouseClick(matrices.button(kMatrixProduct), Qt::LeftButton);
    EXPECT_EQ(shownText(matrices, kMatrixElements), "4,5,\n10,11,\n");
    saveForTheReadme(window.grab().toImage(), "matrix_page.png");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PageRendering, TheAboutBoxRendersToAPicture) {
    CAboutDlg about;
    ASSERT_TRUE(showActive(about));
    const QImage image = about.grab().toImage();
    EXPECT_EQ(image.size(), QSize(326, 83));
    EXPECT_TRUE(image.save(screenPath(QStringLiteral("about.png"))));
    // The icon at (11, 17) dialog units is drawn.
    EXPECT_GT(paintedPixels(image, QRect(17, 26, 32, 32)), 300);
}

}  // namespace
