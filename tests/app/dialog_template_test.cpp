#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QSet>

#include "app/dialog_template.h"
#include "app/dialog_units.h"
#include "app/mexora_dlg.h"
#include "app/template_widgets.h"

namespace {

constexpr int kCalculationPages[] = {129, 131, 132, 133, 134};

TEST(DialogUnits, ConvertBothEdgesSoNeighboursStillTouch) {
    // 81, 39, 145 x 12: the integrand field.
    EXPECT_EQ(dialogUnitRect(81, 39, 145, 12), QRect(122, 59, 217, 18));
    // Odd units round up at one edge and down at the next: no gap, no overlap.
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(dialogUnitRect(x, 0, 1, 1).right() + 1, dialogUnitRect(x + 1, 0, 1, 1).left());
    }
}

TEST(DialogTemplate, PagesFillTheAreaLeftOfTheNavigationList) {
    const DialogTemplate* main = findDialogTemplate(102);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(dialogUnitRect(0, 0, main->width, main->height).size(), QSize(507, 290));
    int listLeft = -1;
    for (const ControlTemplate& control : main->controls) {
        if (control.id == 1032) listLeft = dialogUnitRect(control.x, 0, 1, 1).left();
    }
    for (const int id : {129, 130, 131, 132, 133, 134}) {
        const DialogTemplate* page = findDialogTemplate(id);
        ASSERT_NE(page, nullptr) << id;
        const QRect area = dialogUnitRect(0, 0, page->width, page->height);
        EXPECT_EQ(area.height(), 264) << id;
        EXPECT_LT(area.right(), listLeft) << id;
    }
}

TEST(DialogTemplate, ControlsLieInsideTheirDialogWithUniqueIds) {
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        QSet<int> ids;
        for (const ControlTemplate& control : dialog.controls) {
            // A drop-down list's height includes its list, which may hang out.
            const int height = control.kind == ControlKind::ComboBox ? 14 : control.height;
            EXPECT_GE(control.x, 0) << dialog.id << "/" << control.id;
            EXPECT_GE(control.y, 0) << dialog.id << "/" << control.id;
            EXPECT_LE(control.x + control.width, dialog.width) << dialog.id << "/" << control.id;
            EXPECT_LE(control.y + height, dialog.height) << dialog.id << "/" << control.id;
            if (control.id == kNoControlId) continue;
            EXPECT_FALSE(ids.contains(control.id)) << dialog.id << " repeats " << control.id;
            ids.insert(control.id);
        }
    }
}

TEST(DialogTemplate, EveryCalculationPageHasAHiddenDefaultButton) {
    for (const int id : kCalculationPages) {
        const DialogTemplate* page = findDialogTemplate(id);
        ASSERT_NE(page, nullptr);
        bool found = false;
        for (const ControlTemplate& control : page->controls) {
            if (control.id != 1000) continue;
            found = true;
            EXPECT_EQ(control.text, "Button1");
            EXPECT_TRUE(control.style & ControlStyle::DefPushButton);
            EXPECT_TRUE(control.style & ControlStyle::Hidden);
        }
        EXPECT_TRUE(found) << id;
    }
}

// The labels of the bottom edge must show their whole text in the dialog font
// and must not run into each other.
TEST(MainWindowLayout, BottomLabelsShowTheirWholeText) {
    CMexoraDlg window;
    window.Create(nullptr);
    QList<StaticText*> labels;
    for (const CreatedControl& created : window.controls()) {
        if (auto* label = qobject_cast<StaticText*>(created.widget)) labels.append(label);
    }
    ASSERT_EQ(labels.size(), 3);
    int previousRight = window.control(1033)->geometry().right();
    for (StaticText* label : labels) {
        const qreal needed = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(needed, label->width()) << label->text().toStdString();
        EXPECT_GT(label->x(), previousRight) << label->text().toStdString();
        previousRight = label->geometry().right();
    }
    EXPECT_LE(previousRight, window.width() - 1);
}

}  // namespace
