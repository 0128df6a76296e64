// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window with each page, and the About box, to PNG files in
// build/screens/ for a reviewer to look at, and checks what must be visible.
#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QTimer>

#include "app/about_dlg.h"
#include "app/mexora_dlg.h"
#include "app/template_page.h"
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
