// SPDX-License-Identifier: GPL-3.0-or-later
// The plot window as the pages open it, with input through the window system.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QWindow>
#include <bit>
#include <cstdlib>

#include "app/dialog/window_precision.h"
#include "app/look/art.h"
#include "app/plot/plot_widget.h"
#include "app/plot/plot_window.h"
#include "app/widgets/template_widgets.h"
#include "ui_test_support.h"

namespace {

// The plot follows an edit kLiveDelayMs after it; the target is 300 ms in
// all, and four times that leaves room for a busy machine.
constexpr int kFollowsWithinMs = 4 * 300;

void typeThrough(QWindow* window, QLineEdit* edit, const std::string& text) {
    edit->setFocus();
    edit->selectAll();
    for (const char c : text) QTest::keyClick(window, c);
}

TEST(PlotWindow, CtrlGInTheIntegrandOpensItAndItFollowsEachEdit) {
    HostedPage hosted(kIntegralTemplate);
    ASSERT_TRUE(hosted.shown);
    QWindow* window = hosted.window.windowHandle();
    typeThrough(window, lineEdit(*hosted.page, kUpper), "3.14159265358979");
    typeThrough(window, lineEdit(*hosted.page, kIntegrand), "sinx");
    QTest::keyClick(window, Qt::Key_G, Qt::ControlModifier);
    auto* plot = hosted.window.findChild<PlotWindow*>();
    ASSERT_TRUE(plot && plot->isVisible());
    EXPECT_EQ(plot->windowTitle(), "函数图像 — sinx");
    ASSERT_TRUE(plot->plot()->content() && plot->plot()->content()->expr);
    EXPECT_EQ(plot->plot()->content()->sampling.pieces.size(), 1u);
    EXPECT_EQ(plot->plot()->setup().to, 3.14159265358979);

    hosted.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&hosted.window));
    typeThrough(window, lineEdit(*hosted.page, kIntegrand), "x^2");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return plot->windowTitle() == "函数图像 — x^2"; }, kFollowsWithinMs));
    EXPECT_EQ(plot->plot()->content()->sampling.signChanges.size(), 0u);
    typeThrough(window, lineEdit(*hosted.page, kIntegrand), "x + 1");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return plot->plot()->content()->reason ==
                   "第 2 个字符：公式中不能有空格，请删去这个空格。";
        },
        kFollowsWithinMs));
}

TEST(PlotWindow, ThePictureOpensItAndCtrlCCopiesThePictureAndTheExactSamples) {
    HostedPage hosted(kIntegralTemplate);
    ASSERT_TRUE(hosted.shown);
    QWindow* window = hosted.window.windowHandle();
    typeThrough(window, lineEdit(*hosted.page, kLower), "-1");
    typeThrough(window, lineEdit(*hosted.page, kUpper), "1");
    typeThrough(window, lineEdit(*hosted.page, kIntegrand), "1/x");
    PictureControl* icon = nullptr;
    for (auto* picture : hosted.page->findChildren<PictureControl*>())
        if (picture->resourceId() == kIntegralPageIcon) icon = picture;
    ASSERT_TRUE(icon);
    QTest::mouseClick(window, Qt::LeftButton, {}, icon->mapTo(&hosted.window, QPoint(8, 8)));
    auto* plot = hosted.window.findChild<PlotWindow*>();
    ASSERT_TRUE(plot && plot->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(plot));
    EXPECT_EQ(plot->windowTitle(), "函数图像 — 1/x");

    QTest::keyClick(plot->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied && copied->hasImage() && copied->hasText());
    EXPECT_FALSE(qvariant_cast<QImage>(copied->imageData()).isNull());
    const auto& points = plot->plot()->content()->sampling.points;
    const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), std::ssize(points));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList pair = lines[i].split('\t');
        ASSERT_EQ(pair.size(), 2);
        const auto bits = [](const QString& text) {
            return std::bit_cast<std::uint32_t>(std::strtof(text.toLatin1().constData(), nullptr));
        };
        EXPECT_EQ(bits(pair[0]), std::bit_cast<std::uint32_t>(points[i].x))
            << lines[i].toStdString();
        EXPECT_EQ(bits(pair[1]), std::bit_cast<std::uint32_t>(points[i].y))
            << lines[i].toStdString();
    }
    QTest::keyClick(plot->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(plot->isVisible());
}

// A switch redraws the open plot: sqrt and the bound pi read only in double.
TEST(PlotWindow, FollowsThePrecisionSwitch) {
    struct SingleAgain {
        ~SingleAgain() { WindowPrecision::instance().set(Precision::Single); }
    } singleAgain;
    HostedPage hosted(kIntegralTemplate);
    ASSERT_TRUE(hosted.shown);
    QWindow* window = hosted.window.windowHandle();
    typeThrough(window, lineEdit(*hosted.page, kUpper), "pi");
    typeThrough(window, lineEdit(*hosted.page, kIntegrand), "sqrt(x)");
    QTest::keyClick(window, Qt::Key_G, Qt::ControlModifier);
    auto* plot = hosted.window.findChild<PlotWindow*>();
    ASSERT_TRUE(plot && plot->plot()->content());
    EXPECT_FALSE(plot->plot()->content()->expr);
    EXPECT_EQ(plot->plot()->setup().to, 0.0);

    WindowPrecision::instance().set(Precision::Double);
    EXPECT_EQ(plot->windowTitle(), "函数图像 — sqrt(x) — 双精度");
    EXPECT_EQ(plot->plot()->setup().to, M_PI);
    ASSERT_TRUE(QTest::qWaitFor([&] { return plot->plot()->contentD(); }, kFollowsWithinMs));
    EXPECT_TRUE(plot->plot()->contentD()->expr);
}

}  // namespace
