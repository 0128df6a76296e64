// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// How a window asks the user which file to write or to read. The application
// shows Qt's file dialogs; tests script the answers. Captions and filters are
// string ids; an empty path means the user cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;

    // suffix is added to a typed name that has none; an existing file is
    // replaced only after the dialog's own question.
    virtual QString chooseFileToSave(QWidget* parent, int captionId, int filterId,
                                     const QString& suffix) = 0;
    virtual QString chooseFileToOpen(QWidget* parent, int captionId, int filterId) = 0;
};

class DialogFileChooser final : public FileChooser {
  public:
    QString chooseFileToSave(QWidget* parent, int captionId, int filterId,
                             const QString& suffix) override;
    QString chooseFileToOpen(QWidget* parent, int captionId, int filterId) override;
};
