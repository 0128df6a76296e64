// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

#include "app/dialog/control_factory.h"
#include "app/work/file_chooser.h"
#include "app/work/qt_message_service.h"

class DataExchange;
struct DialogTemplate;

// A window made from a dialog template: its controls are created at their
// places when the window is created, found by id, and exchanged with the
// fields of the derived class by UpdateData and DoDataExchange.
class DialogWidget : public QWidget {
    Q_OBJECT
  public:
    explicit DialogWidget(int templateId);

    int templateId() const { return templateId_; }

    // Creates the controls as children of this widget, puts this widget into
    // parent (nullptr: a window of its own), sizes it, and runs OnInitDialog.
    // Once only.
    void Create(QWidget* parent);

    // The control with this id, or nullptr.
    QWidget* control(int id) const;
    template <class Widget>
    Widget* control(int id) const {
        return qobject_cast<Widget*>(control(id));
    }

    // Every control in template order.
    const QList<CreatedControl>& controls() const { return controls_; }

    // true: controls to fields; false: fields to controls. false when a read
    // was refused.
    bool UpdateData(bool saveAndValidate = true);

    // Re-sizes the window and re-places its controls from its template at
    // the scale now (see applyDialogScale), then runs scaleChanged.
    void applyScale();

    MessageService& messages() { return *messages_; }
    // Replaces the message boxes (tests record them); nullptr restores them.
    void setMessageService(MessageService* service);

    FileChooser& files() { return *files_; }
    // Replaces the file dialogs (tests script them); nullptr restores them.
    void setFileChooser(FileChooser* chooser);

  protected:
    // Names the fields and their controls in exchange order.
    virtual void DoDataExchange(DataExchange& dx);

    // After the controls exist: writes every field to its control.
    virtual void OnInitDialog();

    // After applyScale: for what the window sizes itself beyond its template.
    virtual void scaleChanged() {}

  private:
    int templateId_;
    QList<CreatedControl> controls_;
    QtMessageService ownMessages_;
    MessageService* messages_;
    DialogFileChooser ownFiles_;
    FileChooser* files_ = &ownFiles_;
};
