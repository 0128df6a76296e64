// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how the window answers while it computes, on the real main window
// under the offscreen platform: the time from a click to the result shown for
// a short integral, the longest stall of the event loop while a long sum runs
// (a 10 ms timer's worst lateness), and the time from a click on "取消" to the
// progress dialog gone. Prints the median and the worst of several runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/dialog_look.h"
#include "app/mexora_dlg.h"
#include "app/template_page.h"

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

void report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-44s median %8.2f ms   worst %8.2f ms   (%zu runs)\n", what,
                samples[samples.size() / 2], samples.back(), samples.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    applyDialogFont(app);
    applyDialogColours(app);
    RecordingMessageService messages;
    CMexoraDlg window(&messages);
    window.Create(nullptr);
    window.show();
    QTest::qWaitForWindowExposed(&window);

    window.SelectPage(2);
    TemplatePage& integral = *window.page(2);
    retype(integral, 1001, "x^2");
    retype(integral, 1016, "1");
    std::vector<double> clickToResult;
    for (int run = 0; run < 20; ++run) {
        integral.control<QLineEdit>(1002)->setText("0");
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(integral.button(1015), Qt::LeftButton);
        window.repaint();  // the result painted, not only set
        clickToResult.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    report("click to result shown, x^2 from 0 to 1", clickToResult);

    window.SelectPage(3);
    TemplatePage& sum = *window.page(3);
    retype(sum, 1020, "sin(x)");
    retype(sum, 1001, "1e12");
    std::vector<double> stalls;
    std::vector<double> cancelToGone;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        qint64 lastTick = 0;
        qint64 longest = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.nsecsElapsed() - lastTick);
            lastTick = clock.nsecsElapsed();
        });
        qint64 cancelledAt = 0;
        QTimer::singleShot(3000, [&] {
            if (QWidget* dialog = progressDialog()) {
                cancelledAt = clock.nsecsElapsed();
                QTest::mouseClick(dialog->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
            }
        });
        clock.start();
        ticker.start(10);
        QTest::mouseClick(sum.button(1026), Qt::LeftButton);
        ticker.stop();
        stalls.push_back(static_cast<double>(longest) / 1e6 - 10.0);
        cancelToGone.push_back(static_cast<double>(clock.nsecsElapsed() - cancelledAt) / 1e6);
    }
    report("event loop lateness during a long sum", stalls);
    report("click on cancel to the dialog gone", cancelToGone);
    return messages.shown.empty() ? 0 : 1;
}
