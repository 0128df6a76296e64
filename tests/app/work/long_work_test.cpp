// SPDX-License-Identifier: GPL-3.0-or-later
// Long requests on the pages: the window keeps running, a progress dialog
// comes up after a moment, cancelling ends the work at once and leaves the
// page as it was; short requests show no dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/work/long_work.h"
#include "ui_test_support.h"

namespace {

// Notes when a progress dialog is shown.
class DialogWatch : public QObject {
  public:
    DialogWatch() { qApp->installEventFilter(this); }
    ~DialogWatch() override { qApp->removeEventFilter(this); }
    int shown = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "progressDialog") ++shown;
        return false;
    }
};

QStringList editTexts(const QWidget& page) {
    QStringList texts;
    for (const QLineEdit* edit : page.findChildren<QLineEdit*>()) texts << edit->text();
    for (const QPlainTextEdit* area : page.findChildren<QPlainTextEdit*>())
        texts << area->toPlainText();
    for (const QCheckBox* box : page.findChildren<QCheckBox*>())
        texts << (box->isChecked() ? "checked" : "clear");
    return texts;
}

// Two 1000 x 1000 matrices in the list, picked as the operands.
void twoLargeMatrices(TemplatePage& page) {
    QString elements;
    for (int r = 0; r < 1000; ++r) elements += QString("1.5 -2 ").repeated(500) + "\n";
    for (const char* name : {"A", "B"}) {
        typeInto(page, kMatrixElements, elements);
        typeInto(page, kMatrixRows, "1000");
        typeInto(page, kMatrixCols, "1000");
        typeInto(page, kMatrixName, name);
        QTest::mouseClick(page.button(kAddMatrix), Qt::LeftButton);
    }
    chooseInSelector(page, kFirstOperand, 0);
    chooseInSelector(page, kSecondOperand, 1);
}

// The elements of an order-n determinant whose expansion takes long.
std::string determinantText(int n) {
    std::string text;
    for (int i = 0; i < n * n; ++i) text += std::to_string(i * i % 17 - 5) + " ";
    return text;
}

enum class Cancel { None, Button, EscapeKey };

struct LongCase {
    const char* name;
    int templateId;
    std::vector<std::pair<int, std::string>> typed;
    int button;
    Cancel cancel;
    int resultId = 0;
    const char* result = "";
    std::function<void(TemplatePage&)> prepare = nullptr;  // before the typing
};
void PrintTo(const LongCase& c, std::ostream* os) { *os << c.name; }

class LongWorkOnAPage : public ::testing::TestWithParam<LongCase> {};

TEST_P(LongWorkOnAPage, CancelsPromptlyAndShortWorkShowsNoDialog) {
    const LongCase& c = GetParam();
    HostedPage hosted(c.templateId);
    ASSERT_TRUE(hosted.shown);
    TemplatePage* page = hosted.page.get();
    const RecordingMessageService& messages = hosted.messages;
    if (c.prepare) c.prepare(*page);
    for (const auto& [id, text] : c.typed) typeInto(*page, id, QString::fromStdString(text));
    const QStringList before = editTexts(*page);

    DialogWatch watch;
    QElapsedTimer clock;
    qint64 cancelledAt = -1;
    bool dialogUp = false;
    // Acts once the dialog is up: fast machines finish the product soon after.
    QTimer poll;
    // A cancel that did not arrive fails the test below, not by a hang.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { LongWork::cancelRunning(); });
    if (c.cancel != Cancel::None) {
        poll.start(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* dialog = visibleProgressDialog();
            if (!dialog) return;
            poll.stop();
            dialogUp = true;
            // The page takes no input meanwhile: no box changes, no question
            // or message comes, no second request starts. Input goes the way
            // a window system delivers it: to the window.
            for (QAbstractButton* other : page->findChildren<QAbstractButton*>()) {
                QTest::mouseClick(hosted.window.windowHandle(), Qt::LeftButton, {},
                                  other->mapTo(&hosted.window, QPoint(4, other->height() / 2)));
            }
            QTest::keyClick(hosted.window.windowHandle(), Qt::Key_Space);
            cancelledAt = clock.elapsed();
            if (c.cancel == Cancel::Button) {
                const auto* button = dialog->findChild<QPushButton*>("cancelButton");
                QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                                  button->mapTo(dialog, button->rect().center()));
            } else {
                QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
            }
            fallback.start(2000);
        });
    }
    clock.start();
    QTest::mouseClick(page->button(c.button), Qt::LeftButton);
    const qint64 ended = clock.elapsed();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(messages.asked.empty());
    if (c.cancel == Cancel::None) {
        // Work that ends within the dialog's delay shows none. How long the
        // work takes is measured by bench/window_latency: on a busy machine
        // even short work can outlast the delay.
        if (ended < LongWork::kDialogDelay.count()) {
            EXPECT_EQ(watch.shown, 0);
        }
        EXPECT_EQ(shownText(*page, c.resultId), c.result);
        return;
    }
    // The window ran on while the work did: its dialog came up and took the
    // cancel. How late its timers ran meanwhile is measured by
    // bench/window_latency, not bounded here: a busy machine holds them up.
    EXPECT_TRUE(dialogUp);
    EXPECT_EQ(watch.shown, 1);
    ASSERT_GE(cancelledAt, 0);
    // The target is a quarter of a second; four times that leaves room for a
    // busy machine (the fallback cancel comes later still).
    EXPECT_LE(ended - cancelledAt, 4 * 250);
    EXPECT_EQ(editTexts(*page), before);
    EXPECT_EQ(visibleProgressDialog(), nullptr);
}

const LongCase kLongCases[] = {
    {"SumOfATrillionTerms",
     kSumProductTemplate,
     {{kSumFormula, "sin(x)"}, {kSumTo, "1e12"}},
     kSumEquals,
     Cancel::Button},
    {"IntegralOfDepthForty",
     kIntegralTemplate,
     {{kIntegrand, "sinx"}, {kUpper, "1"}, {kIntDepth, "40"}, {kIntPrecision, "1e-300"}},
     kIntegralEquals,
     Cancel::EscapeKey},
    {"DeterminantOfOrderThirty",
     kDeterminantTemplate,
     {{kDeterminantElements, determinantText(30)}, {kOrder, "30"}},
     kCompute,
     Cancel::Button},
    {"DeterminantOfOrderTwenty",
     kDeterminantTemplate,
     {{kDeterminantElements, determinantText(20)}, {kOrder, "20"}},
     kCompute,
     Cancel::None,
     kDeterminantValue,
     "-1.98979e+17"},
    {"ProductOfTwoMatricesOfOrderThousand",
     kMatrixTemplate,
     {{kMatrixName, "typed"}},
     kMatrixProduct,
     Cancel::Button,
     0,
     "",
     twoLargeMatrices},
    {"ShortIntegral",
     kIntegralTemplate,
     {{kIntegrand, "x^2"}, {kUpper, "1"}},
     kIntegralEquals,
     Cancel::None,
     kIntResult,
     "0.333333333333333"},
};
INSTANTIATE_TEST_SUITE_P(Requests, LongWorkOnAPage, ::testing::ValuesIn(kLongCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
