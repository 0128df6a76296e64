// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/work/file_chooser.h"

#include <QFileDialog>

#include "app/work/qt_message_service.h"

namespace {

QString choose(QWidget* parent, int captionId, int filterId, QFileDialog::AcceptMode mode,
               const QString& suffix) {
    QFileDialog dialog(parent, loadQString(captionId));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(loadQString(filterId));
    dialog.setDefaultSuffix(suffix);
    dialog.setAccessibleName(loadQString(captionId));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString DialogFileChooser::chooseFileToSave(QWidget* parent, int captionId, int filterId,
                                            const QString& suffix) {
    return choose(parent, captionId, filterId, QFileDialog::AcceptSave, suffix);
}

QString DialogFileChooser::chooseFileToOpen(QWidget* parent, int captionId, int filterId) {
    return choose(parent, captionId, filterId, QFileDialog::AcceptOpen, {});
}
