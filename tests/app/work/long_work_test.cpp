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
        typeInto(page, 1001, elements);
        typeInto(page, 1004, "1000");
        typeInto(page, 1005, "1000");
        typeInto(page, 1009, name);
        QTest::mouseClick(page.button(1002), Qt::LeftButton);
    }
    chooseInSelector(page, 1006, 0);
    chooseInSelector(page, 1007, 1);
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
    {"SumOfATrillionTerms", 132, {{1020, "sin(x)"}, {1001, "1e12"}}, 1026, Cancel::Button},
    {"IntegralOfDepthForty",
     131,
     {{1001, "sinx"}, {1016, "1"}, {1020, "40"}, {1019, "1e-300"}},
     1015,
     Cancel::EscapeKey},
    {"DeterminantOfOrderThirty",
     134,
     {{1001, determinantText(30)}, {1034, "30"}},
     1035,
     Cancel::Button},
    {"DeterminantOfOrderTwenty",
     134,
     {{1001, determinantText(20)}, {1034, "20"}},
     1035,
     Cancel::None,
     1009,
     "-1.98979e+17"},
    {"ProductOfTwoMatricesOfOrderThousand",
     129,
     {{1009, "typed"}},
     1013,
     Cancel::Button,
     0,
     "",
     twoLargeMatrices},
    {"ShortIntegral",
     131,
     {{1001, "x^2"}, {1016, "1"}},
     1015,
     Cancel::None,
     1002,
     "0.333333333333333"},
};
INSTANTIATE_TEST_SUITE_P(Requests, LongWorkOnAPage, ::testing::ValuesIn(kLongCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
