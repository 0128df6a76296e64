// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include "app/dialog/dialog_scale.h"
#include "app/dialog/dialog_template.h"
#include "app/dialog/template_page.h"
#include "app/dialog/window_precision.h"
#include "app/history/history.h"
#include "app/history/history_window.h"
#include "app/shell/about_dlg.h"
#include "app/shell/mexora_dlg.h"
#include "app/widgets/template_widgets.h"
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
    ScriptedFiles files;
    CMexoraDlg window{&messages, &files};
    QListWidget* list = nullptr;
};

TEST_F(MainWindowTest, StartsOnTheCoverWithTheFocusInTheList) {
    EXPECT_EQ(window.windowTitle(), "Mexora 1.1 最后更新于２０２６年１２月８日");
    EXPECT_EQ(window.size(), QSize(507, 290));
    EXPECT_EQ(visiblePage(), 0);
    EXPECT_EQ(window.m_nCurrentPage, 0);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(window.control<QCheckBox>(kAlwaysOnTop)->isChecked());
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
    EXPECT_EQ(QApplication::focusWidget(), window.page(2)->control(kLower));

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
    QLineEdit* formula = lineEdit(*window.page(3), kSumFormula);
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

// One after the other from the start: the page each key shows, and the
// control it leaves the focus on (kList: the navigation list).
constexpr int kList = 0;
struct KeyStep {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int page;
    int focus;
};
const KeyStep kKeySteps[] = {
    {Qt::Key_Down, {}, 1, kList},  // the keys of the list show pages and keep the focus
    {Qt::Key_Down, {}, 2, kList},
    {Qt::Key_End, {}, 5, kList},
    {Qt::Key_Home, {}, 0, kList},
    {Qt::Key_F6, {}, 0, kList},  // the cover has nothing to focus
    {Qt::Key_PageDown, Qt::ControlModifier, 1, kMatrixElements},
    {Qt::Key_PageDown, Qt::ControlModifier, 2, kLower},
    {Qt::Key_Tab, {}, 2, kUpper},
    {Qt::Key_F6, {}, 2, kList},
    {Qt::Key_F6, {}, 2, kUpper},  // back where it was
    {Qt::Key_PageUp, Qt::ControlModifier, 1, kMatrixElements},
    {Qt::Key_PageUp, Qt::ControlModifier, 0, kList},
    // round from the cover to the last
    {Qt::Key_PageUp, Qt::ControlModifier, 5, kDeterminantElements},
    {Qt::Key_PageDown, Qt::ControlModifier, 0, kList},
};

TEST_F(MainWindowTest, KeysShowPagesAndMoveTheFocus) {
    int step = 0;
    for (const KeyStep& key : kKeySteps) {
        QTest::keyClick(window.windowHandle(), key.key, key.modifiers);
        EXPECT_EQ(visiblePage(), key.page) << "step " << step;
        EXPECT_EQ(window.m_nCurrentPage, key.page) << "step " << step;
        EXPECT_EQ(list->currentRow(), key.page) << "step " << step;
        QWidget* focus = key.focus == kList ? list : window.page(key.page)->control(key.focus);
        EXPECT_EQ(QApplication::focusWidget(), focus) << "step " << step++;
    }
}

// The ids of the page's controls that Tab (Shift+Tab) visits, in order, from
// the control with the focus until it has it again.
QList<int> tabRound(CMexoraDlg& window, int page, bool backwards) {
    QList<int> visited;
    QWidget* first = QApplication::focusWidget();
    for (int presses = 0; presses < 40; ++presses) {
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        if (now == first) return visited;
        for (const CreatedControl& created : window.page(page)->controls()) {
            if (created.widget == now) visited.append(created.id);
        }
    }
    return {-1};  // never came back
}

TEST_F(MainWindowTest, TabVisitsEveryControlOfAPageInTemplateOrderAndComesBack) {
    for (int page = 1; page < CMexoraDlg::kPageCount; ++page) {
        QList<int> stops;
        for (const ControlTemplate& control :
             findDialogTemplate(window.page(page)->templateId())->controls) {
            if ((control.style & ControlStyle::TabStop) && !(control.style & ControlStyle::Hidden))
                stops.append(control.id);
        }
        window.SelectPage(page);
        ASSERT_TRUE(window.page(page)->focusFirstControl());
        // After the last, through the main window's own controls back to the first.
        const QList<int> forwards = stops.mid(1);
        EXPECT_EQ(tabRound(window, page, false), forwards) << page;
        EXPECT_EQ(tabRound(window, page, true), QList<int>(forwards.rbegin(), forwards.rend()))
            << page;
    }
    // Ctrl+Tab types a tab in a multi-line edit, and the focus stays.
    window.SelectPage(1);
    auto* elements = window.page(1)->control<QPlainTextEdit>(kMatrixElements);
    elements->setFocus();
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(elements->toPlainText(), "\t");
    EXPECT_EQ(QApplication::focusWidget(), elements);
}

// Leaves the design scale behind, in the program and in the settings.
struct DesignScaleAtEnd {
    ~DesignScaleAtEnd() {
        applyDialogScale(kDesignScale);
        QSettings(QStringLiteral("mexora"), QStringLiteral("mexora")).clear();
    }
};

TEST_F(MainWindowTest, CtrlEqualsAndPlusScaleEverythingAndCtrlZeroRestoresIt) {
    const DesignScaleAtEnd reset;
    EXPECT_FALSE(
        QSettings(QStringLiteral("mexora"), QStringLiteral("mexora")).contains("window/scale"))
        << "written at start";
    QWidget* integrand = window.page(2)->control(kIntegrand);  // (81, 39), 145 x 12 dialog units
    QTest::keyClick(window.windowHandle(), Qt::Key_H, Qt::ControlModifier);
    const QTableView* history = window.historyWindow()->table();
    window.activateWindow();
    QTest::keyClick(window.windowHandle(), Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
    // 150 %: 2.25 pixels a dialog unit, both edges rounded.
    EXPECT_EQ(integrand->geometry(), QRect(182, 88, 327, 27));
    EXPECT_EQ(QFontInfo(integrand->font()).pixelSize(), 18);
    EXPECT_EQ(window.size(), QSize(761, 434));
    EXPECT_EQ(window.page(0)->controls().first().widget->size(), QSize(587, 392));  // 390 x 260
    EXPECT_EQ(list->iconSize(), QSize(72, 72));
    EXPECT_EQ(history->columnWidth(0), 135);

    // A window of the next run starts at the scale chosen.
    applyDialogScale(kDesignScale);
    CMexoraDlg next{&messages};
    next.Create(nullptr);
    EXPECT_EQ(next.page(2)->control(kIntegrand)->geometry(), QRect(182, 88, 327, 27));

    QTest::keyClick(window.windowHandle(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(integrand->geometry(), QRect(122, 59, 217, 18));
    EXPECT_EQ(QFontInfo(integrand->font()).pixelSize(), 12);
    EXPECT_EQ(window.size(), QSize(507, 290));
    EXPECT_EQ(list->iconSize(), QSize(48, 48));
    EXPECT_EQ(history->columnWidth(0), 90);
}

// Ctrl+Shift+D from any control switches to double precision and back, as the
// title says; the setting is written by a switch, never at the start.
TEST_F(MainWindowTest, CtrlShiftDSwitchesThePrecisionAndTheTitleSaysIt) {
    const DesignScaleAtEnd reset;
    QSettings settings(QStringLiteral("mexora"), QStringLiteral("mexora"));
    EXPECT_FALSE(settings.contains("calculation/precision")) << "written at start";
    const QString title = window.windowTitle();
    for (int page = 1; page < CMexoraDlg::kPageCount; ++page) {
        window.SelectPage(page);
        const QString inDouble = title + " — 双精度";
        for (const CreatedControl& created : window.page(page)->controls()) {
            created.widget->setFocus();
            for (const QString& shown : {inDouble, title}) {
                QTest::keyClick(window.windowHandle(), Qt::Key_D,
                                Qt::ControlModifier | Qt::ShiftModifier);
                EXPECT_EQ(window.windowTitle(), shown) << page << ' ' << created.id;
                EXPECT_EQ(settings.value("calculation/precision").toString(),
                          shown == title ? "single" : "double");
            }
        }
    }
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindowOrAPage) {
    auto* topMost = window.control<QCheckBox>(kAlwaysOnTop);
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
    QLineEdit* left = lineEdit(*window.page(4), kLeft);
    retype(left, "-1");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) QTest::keyClick(left, key);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(visiblePage(), 4);
    EXPECT_EQ(left->text(), "-1");
    // Enter pressed "解出", which finds no root of an empty equation.
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgNoRoot});
}

TEST_F(MainWindowTest, AHiddenPageKeepsItsContentsAndItsFocus) {
    clickEntry(1);
    QLineEdit* name = lineEdit(*window.page(1), kMatrixName);
    name->setFocus();
    name->insert("甲");
    clickEntry(2);
    retype(lineEdit(*window.page(2), kIntegrand), "sinx");
    clickEntry(1);
    EXPECT_EQ(name->text(), "甲");
    EXPECT_EQ(QApplication::focusWidget(), name);
    clickEntry(2);
    EXPECT_EQ(lineEdit(*window.page(2), kIntegrand)->text(), "sinx");
}

TEST_F(MainWindowTest, AlwaysOnTopChangesTheStackingOnly) {
    auto* topMost = window.control<QCheckBox>(kAlwaysOnTop);
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
    EXPECT_EQ(offered, QStringList({"历史记录", "双精度", "", "关于mexora"}));
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
    for (const int id : {kMailLink, kHomePageLink}) {
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(window.control(id));
        EXPECT_EQ(link->role(), QAccessible::Link);
        EXPECT_EQ(link->text(QAccessible::Name), window.control<StaticText>(id)->text());
    }
    EXPECT_EQ(accessibleName(window.page(5)->control(kOrder)), "行列式阶数");
    EXPECT_EQ(window.page(5)->control(kOrder)->accessibleDescription(), "阶数请输入２～５０的整数");
    QWidget* result = window.page(2)->control(kIntResult);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(result)->state().readOnly);
}

}  // namespace

namespace {

// A click as the window system delivers it: to the window, at the control.
void clickInWindow(QWidget& window, QWidget* control) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      control->mapTo(&window, control->rect().center()));
}

void ctrlKey(QWidget* window, Qt::Key key) {
    QTest::keyClick(window->windowHandle(), key, Qt::ControlModifier);
}

}  // namespace

// Results go into the history, refusals do not; the history copies and
// exports its rows and gives a row's inputs back without computing.
TEST_F(MainWindowTest, RequestsAddHistoryRowsAndARowFillsItsPageAgain) {
    window.SelectPage(2);
    TemplatePage& page = *window.page(2);
    const auto run = [&](std::initializer_list<std::pair<int, const char*>> typed, int button) {
        for (const auto& [id, text] : typed) typeInto(page, id, text);
        clickInWindow(window, page.button(button));
    };
    run({{kIntegrand, "x^2"}, {kUpper, "1"}}, kIntegralEquals);
    run({{kIntPrecision, "0"}}, kIntegralEquals);
    run({{kIntPrecision, "0.0001"}, {kDiffFormula, "x^3"}, {kPoint, "3"}}, kDerivativeEquals);
    run({{kUpper, "2"}}, kIntegralEquals);
    window.SelectPage(0);

    ctrlKey(&window, Qt::Key_H);
    HistoryWindow* history = window.historyWindow();
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(history));
    EXPECT_EQ(history->windowTitle(), "历史记录");
    EXPECT_EQ(history->table()->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(history->table()->currentIndex().row(), 2);
    ctrlKey(history, Qt::Key_A);
    ctrlKey(history, Qt::Key_C);
    const QString integral =
        "定积分\t被积函数 x^2；积分下限 0；积分上限 %1；积分精度 0.0001；积分深度 10\t%2\n";
    const QString rows = "计算\t输入\t结果\n" + integral.arg("1", "0.333333333333333") +
                         "微分\t求导函数 x^3；求导点 3；微分初始步长 0.01；微分精度 "
                         "0.0001；微分深度 10\t27.0008087158203\n" +
                         integral.arg("2", "2.66666666666667");
    EXPECT_EQ(QApplication::clipboard()->text(), rows);

    QTemporaryDir dir;
    files.path = dir.filePath("history.csv");
    history->exportTable();
    QFile csv(files.path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(),
              "\xEF\xBB\xBF" + QString(rows).replace('\t', ',').replace("\n", "\r\n").toUtf8());

    QTest::keyClick(history->windowHandle(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(history->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(window.m_nCurrentPage, 2);
    EXPECT_EQ(lineEdit(page, kUpper)->text(), "1");
    EXPECT_EQ(lineEdit(page, kIntResult)->text(), "2.66666666666667");
    EXPECT_EQ(window.history().size(), 3);
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgPrecisionNotPositive});
}

// A row keeps the precision it was computed in, and a row asked back
// switches the window to it before its inputs go back.
TEST_F(MainWindowTest, AHistoryRowGivesItsPrecisionBack) {
    struct SingleAgain {
        ~SingleAgain() { WindowPrecision::instance().set(Precision::Single); }
    } singleAgain;
    window.SelectPage(2);
    TemplatePage& page = *window.page(2);
    typeInto(page, kIntegrand, "x");
    for (const auto& [precision, upper] :
         {std::pair{Precision::Double, "2"}, {Precision::Single, "3"}}) {
        WindowPrecision::instance().set(precision);
        typeInto(page, kUpper, upper);
        clickInWindow(window, page.button(kIntegralEquals));
    }
    ASSERT_EQ(window.history().size(), 2);
    EXPECT_EQ(window.history().cell(0, 0), "定积分（双精度）");
    EXPECT_EQ(window.history().cell(1, 0), "定积分");
    window.restoreHistoryRow(0);
    EXPECT_EQ(WindowPrecision::instance().current(), Precision::Double);
    EXPECT_EQ(lineEdit(page, kUpper)->text(), "2");
    window.restoreHistoryRow(1);
    EXPECT_EQ(WindowPrecision::instance().current(), Precision::Single);
}

TEST_F(MainWindowTest, ClosingWithAnUnsavedMatrixListAsksAndCancelKeepsTheWindow) {
    window.SelectPage(CMexoraDlg::kMatrixPage);
    TemplatePage& page = *window.page(CMexoraDlg::kMatrixPage);
    for (const auto& [id, text] : {std::pair{kMatrixElements, "1"}, std::pair{kMatrixRows, "1"},
                                   std::pair{kMatrixCols, "1"}, std::pair{kMatrixName, "A"}})
        typeInto(page, id, text);
    clickInWindow(window, page.button(kAddMatrix));
    messages.threeWayAnswers = {MessageService::Answer::Cancel};
    window.windowHandle()->close();
    EXPECT_EQ(messages.asked, std::vector<int>{kAskSaveList});
    EXPECT_TRUE(window.isVisible());
}

TEST(History, KeepsTheNewestRowsWithinItsBounds) {
    History history;
    for (int i = 0; i <= History::kMaxRows; ++i)
        history.append({2, kIntegralEquals, kKindIntegral, {}, QString::number(i), {}});
    EXPECT_EQ(history.size(), History::kMaxRows);
    EXPECT_EQ(history.at(0).inputText, "1");
    const QString half(History::kMaxChars / 2, QChar('1'));
    for (int i = 0; i < 2; ++i)
        history.append({5, kCompute, kKindDeterminant, {{kDeterminantElements, half}}, {}, half});
    EXPECT_EQ(history.size(), 1);
}
