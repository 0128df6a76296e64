// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/about_dlg.h"

#include <QPushButton>

#include "app/dialog/control_factory.h"
#include "app/dialog/dialog_template.h"
#include "app/dialog/dialog_units.h"

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    const DialogTemplate& dialog = *findDialogTemplate(kAboutTemplate);
    setFixedSize(dialogUnitRect(0, 0, dialog.width, dialog.height).size());
    setWindowTitle(
        QString::fromUtf8(dialog.caption.data(), static_cast<qsizetype>(dialog.caption.size())));
    for (const CreatedControl& created : createControls(dialog, this)) {
        if (created.id != 1) continue;
        auto* ok = static_cast<QPushButton*>(created.widget);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        ok->setFocus();
    }
}
