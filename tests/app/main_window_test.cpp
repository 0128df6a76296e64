// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QWindow>

#include "app/about_dlg.h"
#include "app/mexora_dlg.h"
#include "app/template_page.h"
#include "app/template_widgets.h"
#include "ui_test_support.h"

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.Create(nullptr);
        ASSERT_TRUE(showActive(window));
        list = window.m_listNav;
        ASSERT_NE(list, nullptr);
    }

    QPoint itemCentre(int row) {
        list->scrollToItem(list->item(row));
        return list->visualItemRect(list->item(row)).center();
    }
    void clickEntry(int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre(row));
    }

    // A point of the list that holds no entry. Not (0, 0): QTest reads a null
    // point as the widget's centre.
    QPoint emptySpot() {
        const QRect area = list->viewport()->rect();
        for (int y = area.top() + 1; y <= area.bottom(); y += 2) {
            for (int x = area.left() + 1; x <= area.right(); x += 2) {
                if (!list->indexAt(QPoint(x, y)).isValid()) return QPoint(x, y);
            }
        }
        return {-1, -1};
    }

    int visiblePage() const {
        int shown = -1;
        for (int i = 0; i < CMexoraDlg::kPageCount; ++i) {
            if (window.page(i)->isVisible()) {
                if (shown != -1) return -2;  // more than one
                shown = i;
            }
        }
        return shown;
    }

    RecordingMessageService messages;
    CMexoraDlg window{&messages};
    QListWidget* list = nullptr;
};

TEST_F(MainWindowTest, StartsOnTheCoverWithTheFocusInTheList) {
    EXPECT_EQ(window.windowTitle(), "Mexora 1.1 最后更新于２０２６年１２月８日");
    EXPECT_EQ(window.size(), QSize(507, 290));
    EXPECT_EQ(visiblePage(), 0);
    EXPECT_EQ(window.m_nCurrentPage, 0);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(window.control<QCheckBox>(1033)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), list);

    const QStringList labels = {"封面",       "矩阵运算", "定积分与微分",
                                "求和与求积", "解方程",   "解行列式"};
    ASSERT_EQ(list->count(), labels.size());
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_EQ(list->item(i)->text(), labels[i]);
        EXPECT_FALSE(list->item(i)->icon().isNull());
    }
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(0, 64, 128));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(192, 192, 192));
    // Every page sits in the same place left of the list.
    for (int i = 0; i < CMexoraDlg::kPageCount; ++i) {
        EXPECT_EQ(window.page(i)->pos(), QPoint(0, 0));
        EXPECT_LT(window.page(i)->geometry().right(), list->x());
    }
}

TEST_F(MainWindowTest, AClickSwitchesPagesAndACalculationPageTakesTheFocus) {
    clickEntry(2);
    EXPECT_EQ(visiblePage(), 2);
    EXPECT_EQ(window.m_nCurrentPage, 2);
    EXPECT_EQ(QApplication::focusWidget(), window.page(2)->control(1017));

    clickEntry(5);
    EXPECT_EQ(visiblePage(), 5);
    EXPECT_TRUE(window.page(5)->isAncestorOf(QApplication::focusWidget()));

    // The cover leaves the focus where the click put it: in the list.
    clickEntry(0);
    EXPECT_EQ(visiblePage(), 0);
    EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(MainWindowTest, ClickingTheCurrentEntryOrEmptySpaceChangesNothing) {
    clickEntry(3);
    QLineEdit* formula = lineEdit(*window.page(3), 1020);
    retype(formula, "x");
    clickEntry(3);
    EXPECT_EQ(visiblePage(), 3);
    EXPECT_EQ(formula->text(), "x");

    const QPoint empty = emptySpot();
    ASSERT_NE(empty, QPoint(-1, -1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(visiblePage(), 3);
    EXPECT_EQ(window.m_nCurrentPage, 3);

    window.SelectPage(-1);
    EXPECT_EQ(visiblePage(), 3);
}

TEST_F(MainWindowTest, ArrowKeysMoveTheHighlightButNeverSwitch) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_NE(list->row(list->selectedItems().first()), 0);
    EXPECT_EQ(visiblePage(), 0);
    EXPECT_EQ(window.m_nCurrentPage, 0);
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindowOrAPage) {
    auto* topMost = window.control<QCheckBox>(1033);
    for (QWidget* target : {static_cast<QWidget*>(list), static_cast<QWidget*>(topMost)}) {
        target->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
        }
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(visiblePage(), 0);
    EXPECT_FALSE(topMost->isChecked());

    clickEntry(4);
    QLineEdit* left = lineEdit(*window.page(4), 1027);
    retype(left, "-1");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) QTest::keyClick(left, key);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(visiblePage(), 4);
    EXPECT_EQ(left->text(), "-1");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, AHiddenPageKeepsItsContentsAndItsFocus) {
    clickEntry(1);
    QLineEdit* name = lineEdit(*window.page(1), 1009);
    name->setFocus();
    name->insert("甲");
    clickEntry(2);
    retype(lineEdit(*window.page(2), 1001), "sinx");
    clickEntry(1);
    EXPECT_EQ(name->text(), "甲");
    EXPECT_EQ(QApplication::focusWidget(), name);
    clickEntry(2);
    EXPECT_EQ(lineEdit(*window.page(2), 1001)->text(), "sinx");
}

TEST_F(MainWindowTest, AlwaysOnTopChangesTheStackingOnly) {
    auto* topMost = window.control<QCheckBox>(1033);
    const QRect before = window.geometry();
    QTest::mouseClick(topMost, Qt::LeftButton, {}, QPoint(8, topMost->height() / 2));
    EXPECT_EQ(window.m_bTopMost, 1);
    EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);

    topMost->setFocus();
    QTest::keyClick(topMost, Qt::Key_Space);
    EXPECT_EQ(window.m_bTopMost, 0);
    EXPECT_FALSE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.geometry(), before);
}

// Runs check on the next modal or popup widget as soon as it is shown.
void whenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> check) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, find, check] {
        if (QWidget* shown = find(); shown && shown->isVisible()) {
            timer->stop();
            timer->deleteLater();
            check(shown);
        }
    });
    timer->start();
}

TEST_F(MainWindowTest, TheContextMenuOffersTheAboutEntry) {
    QMenu menu;
    window.addSystemMenuEntries(menu);
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_TRUE(menu.actions()[0]->isSeparator());
    EXPECT_EQ(menu.actions()[1]->text(), "关于mexora");

    // A right click on the list's empty space opens it.
    QStringList offered;
    whenShown([] { return QApplication::activePopupWidget(); },
              [&](QWidget* popup) {
                  for (QAction* action : popup->actions()) offered.append(action->text());
                  popup->close();
              });
    const QPoint empty = emptySpot();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, empty,
                                 list->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(list->viewport(), &rightClick);
    EXPECT_EQ(offered, QStringList({"", "关于mexora"}));
}

TEST_F(MainWindowTest, TheAboutBoxClosesWithEnterAndWithEscape) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QString title;
        QStringList texts;
        whenShown([] { return QApplication::activeModalWidget(); },
                  [&](QWidget* box) {
                      title = box->windowTitle();
                      for (auto* label : box->findChildren<StaticText*>())
                          texts.append(label->text());
                      QTest::keyClick(box, key);
                  });
        QMenu menu;
        window.addSystemMenuEntries(menu);
        menu.actions()[1]->trigger();  // returns when the box has closed
        EXPECT_EQ(title, "关于Mexora");
        ASSERT_EQ(texts.size(), 2);
        EXPECT_EQ(texts[0], "Mexora 1.1 版");
        EXPECT_TRUE(texts[1].contains("Mexora")) << texts[1].toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(visiblePage(), 0);
    }
}

}  // namespace

namespace {

QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// What a screen reader hears: every control that takes the focus, on every
// page and in the window itself, has a name of its own there, and every
// picture a name.
TEST_F(MainWindowTest, EveryFocusableControlAndPictureHasAUniqueName) {
    QList<QWidget*> areas{&window};
    for (int i = 0; i < CMexoraDlg::kPageCount; ++i) areas << window.page(i);
    for (QWidget* area : areas) {
        QStringList names;
        for (QWidget* widget : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool focusable = (widget->focusPolicy() & Qt::TabFocus) != 0;
            const bool picture = qobject_cast<PictureControl*>(widget) != nullptr;
            if (!widget->isVisibleTo(area) || !(focusable || picture)) continue;
            const QString name = accessibleName(widget);
            EXPECT_FALSE(name.isEmpty()) << widget->metaObject()->className();
            EXPECT_FALSE(names.contains(name)) << name.toStdString();
            names << name;
        }
    }
    for (const int id : {1013, 1014}) {
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(window.control(id));
        EXPECT_EQ(link->role(), QAccessible::Link);
        EXPECT_EQ(link->text(QAccessible::Name), window.control<StaticText>(id)->text());
    }
    EXPECT_EQ(accessibleName(window.page(5)->control(1034)), "行列式阶数");
    EXPECT_EQ(window.page(5)->control(1034)->accessibleDescription(), "阶数请输入２～５０的整数");
    EXPECT_TRUE(
        QAccessible::queryAccessibleInterface(window.page(2)->control(1002))->state().readOnly);
}

}  // namespace
