// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how the window answers while it computes, on the real main window
// under the offscreen platform: the time from a click to the result shown (a
// short integral, determinants of order 20 and 24, the product of two
// 500 x 500 matrices), the longest stall of the event loop while a long sum
// and the product of two 1000 x 1000 matrices run (a 10 ms timer's worst
// lateness, from the click on), the time from a click on "取消" to the
// progress dialog gone, and the time a pasted matrix text holds up the
// window. Prints the median and the worst of several runs.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/dialog/template_page.h"
#include "app/look/dialog_look.h"
#include "app/pages/determinant_controls.h"
#include "app/pages/integral_controls.h"
#include "app/pages/matrix_controls.h"
#include "app/pages/sum_product_controls.h"
#include "app/shell/mexora_dlg.h"

namespace {

void retype(TemplatePage& page, int id, const char* text) {
    auto* edit = page.control<QLineEdit>(id);
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, QString::fromUtf8(text));
}

QWidget* progressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "progressDialog" && widget->isVisible()) return widget;
    }
    return nullptr;
}

// A paste into a multi-line edit, painted.
double pasteMs(QWidget& window, QPlainTextEdit* area, const QString& text) {
    QElapsedTimer clock;
    clock.start();
    area->selectAll();
    area->insertPlainText(text);
    window.repaint();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// n x n elements with few repeats, as typed: rows on lines of their own.
QString matrixText(int n) {
    QString text;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) text += QString::number((r * 31 + c * c * 7) % 19 - 9) + " ";
        text += "\n";
    }
    return text;
}

double clickMs(QWidget& window, QPushButton* button) {
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(button, Qt::LeftButton);
    window.repaint();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Ticks every 10 ms from its making on, and keeps the worst lateness.
class LatenessWatch {
  public:
    LatenessWatch() {
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, clock_.nsecsElapsed() - lastTick_);
            lastTick_ = clock_.nsecsElapsed();
        });
        clock_.start();
        ticker_.start(10);
    }
    qint64 sinceStartNs() const { return clock_.nsecsElapsed(); }
    double worstLatenessMs() const { return static_cast<double>(longest_) / 1e6 - 10.0; }

  private:
    QElapsedTimer clock_;
    QTimer ticker_;
    qint64 lastTick_ = 0;
    qint64 longest_ = 0;
};

void pick(QComboBox* box, int position) {
    box->setCurrentIndex(position);
    emit box->activated(position);
}

void report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-44s median %8.2f ms   worst %8.2f ms   (%zu runs)\n", what,
                samples[samples.size() / 2], samples.back(), samples.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyDialogLook(app);
    RecordingMessageService messages;
    CMexoraDlg window(&messages);
    window.Create(nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;

    window.SelectPage(2);
    TemplatePage& integral = *window.page(2);
    retype(integral, kIntegrand, "x^2");
    retype(integral, kUpper, "1");
    std::vector<double> clickToResult;
    for (int run = 0; run < 20; ++run) {
        integral.control<QLineEdit>(kIntResult)->setText("0");
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(integral.button(kIntegralEquals), Qt::LeftButton);
        window.repaint();  // the result painted, not only set
        clickToResult.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    report("click to result shown, x^2 from 0 to 1", clickToResult);

    window.SelectPage(3);
    TemplatePage& sum = *window.page(3);
    retype(sum, kSumFormula, "sin(x)");
    retype(sum, kSumTo, "1e12");
    std::vector<double> stalls;
    std::vector<double> cancelToGone;
    for (int run = 0; run < 5; ++run) {
        qint64 cancelledAt = 0;
        LatenessWatch watch;
        QTimer::singleShot(3000, [&] {
            if (QWidget* dialog = progressDialog()) {
                cancelledAt = watch.sinceStartNs();
                QTest::mouseClick(dialog->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
            }
        });
        QTest::mouseClick(sum.button(kSumEquals), Qt::LeftButton);
        stalls.push_back(watch.worstLatenessMs());
        cancelToGone.push_back(static_cast<double>(watch.sinceStartNs() - cancelledAt) / 1e6);
    }
    report("event loop lateness during a long sum", stalls);
    report("click on cancel to the dialog gone", cancelToGone);

    window.SelectPage(5);
    TemplatePage& determinant = *window.page(5);
    auto* elements = determinant.control<QPlainTextEdit>(kDeterminantElements);
    for (const int order : {20, 24}) {
        pasteMs(window, elements, matrixText(order));
        retype(determinant, kOrder, QByteArray::number(order).constData());
        std::vector<double> times;
        for (int run = 0; run < (order == 20 ? 10 : 3); ++run)
            times.push_back(clickMs(window, determinant.button(kCompute)));
        report(order == 20 ? "click to determinant of order 20 shown"
                           : "click to determinant of order 24 shown",
               times);
    }

    window.SelectPage(1);
    TemplatePage& matrices = *window.page(1);
    auto* matrixEdit = matrices.control<QPlainTextEdit>(kMatrixElements);
    std::vector<double> pastes;
    for (int run = 0; run < 10; ++run)
        pastes.push_back(pasteMs(window, matrixEdit, matrixText(50)));
    report("paste of a 50 x 50 matrix text, painted", pastes);
    const QString megabyte = QString("12345.6 ").repeated(128 * 1024);
    report("paste of 1 MB on one line, painted", {pasteMs(window, matrixEdit, megabyte)});
    report("paste of 1 MB on one line, determinant edit", {pasteMs(window, elements, megabyte)});
    for (const char* name : {"A", "B"}) {
        pasteMs(window, matrixEdit, matrixText(500));
        retype(matrices, kMatrixRows, "500");
        retype(matrices, kMatrixCols, "500");
        retype(matrices, kMatrixName, name);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(matrices.button(kAddMatrix), Qt::LeftButton);
        report("adding a 500 x 500 matrix (reading the edit)",
               {static_cast<double>(clock.nsecsElapsed()) / 1e6});
    }
    pick(matrices.control<QComboBox>(kFirstOperand), 0);
    pick(matrices.control<QComboBox>(kSecondOperand), 1);
    std::vector<double> products;
    for (int run = 0; run < 3; ++run)
        products.push_back(clickMs(window, matrices.button(kMatrixProduct)));
    report("click to product of two 500 x 500 shown", products);

    for (const char* name : {"C", "D"}) {
        pasteMs(window, matrixEdit, matrixText(1000));
        retype(matrices, kMatrixRows, "1000");
        retype(matrices, kMatrixCols, "1000");
        retype(matrices, kMatrixName, name);
        QTest::mouseClick(matrices.button(kAddMatrix), Qt::LeftButton);
    }
    pick(matrices.control<QComboBox>(kFirstOperand), 2);
    pick(matrices.control<QComboBox>(kSecondOperand), 3);
    std::vector<double> sums;
    for (int run = 0; run < 3; ++run) sums.push_back(clickMs(window, matrices.button(kMatrixSum)));
    report("click to sum of two 1000 x 1000 shown", sums);
    LatenessWatch watch;
    report("click to product of two 1000 x 1000 shown",
           {clickMs(window, matrices.button(kMatrixProduct))});
    report("event loop lateness during that product", {watch.worstLatenessMs()});
    return messages.shown.empty() ? 0 : 1;
}
