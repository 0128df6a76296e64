// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QSet>

#include "app/dialog/dialog_template.h"
#include "app/dialog/dialog_units.h"
#include "app/shell/mexora_dlg.h"
#include "app/widgets/template_widgets.h"

namespace {

TEST(DialogUnits, ConvertBothEdgesSoNeighboursStillTouch) {
    // 81, 39, 145 x 12: the integrand field.
    EXPECT_EQ(dialogUnitRect(81, 39, 145, 12), QRect(122, 59, 217, 18));
    // Odd units round up at one edge and down at the next: no gap, no overlap.
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(dialogUnitRect(x, 0, 1, 1).right() + 1, dialogUnitRect(x + 1, 0, 1, 1).left());
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
    int previousRight = window.control(kAlwaysOnTop)->geometry().right();
    for (StaticText* label : labels) {
        const qreal needed = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(needed, label->width()) << label->text().toStdString();
        EXPECT_GT(label->x(), previousRight) << label->text().toStdString();
        previousRight = label->geometry().right();
    }
    EXPECT_LE(previousRight, window.width() - 1);
}

}  // namespace
