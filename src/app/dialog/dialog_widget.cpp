// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/dialog_widget.h"

#include "app/dialog/accessibility.h"
#include "app/dialog/data_exchange.h"
#include "app/dialog/dialog_template.h"
#include "app/dialog/dialog_units.h"

DialogWidget::DialogWidget(int templateId)
    : templateId_(templateId), ownMessages_(this), messages_(&ownMessages_) {}

void DialogWidget::Create(QWidget* parent) {
    if (!controls_.isEmpty()) return;
    const DialogTemplate* dialog = findDialogTemplate(templateId_);
    if (!dialog) return;
    if (parent) setParent(parent);
    setFixedSize(dialogUnitRect(0, 0, dialog->width, dialog->height).size());
    if (!dialog->caption.empty()) {
        setWindowTitle(QString::fromUtf8(dialog->caption.data(),
                                         static_cast<qsizetype>(dialog->caption.size())));
    }
    controls_ = createControls(*dialog, this);
    describeControls(*dialog, controls_);
    OnInitDialog();
}

void DialogWidget::applyScale() {
    const DialogTemplate* dialog = findDialogTemplate(templateId_);
    if (!dialog || controls_.isEmpty()) return;
    setFixedSize(dialogUnitRect(0, 0, dialog->width, dialog->height).size());
    placeControls(*dialog, controls_);
    scaleChanged();
}

QWidget* DialogWidget::control(int id) const {
    for (const CreatedControl& created : controls_) {
        if (created.id == id) return created.widget;
    }
    return nullptr;
}

bool DialogWidget::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.failed();
}

void DialogWidget::setMessageService(MessageService* service) {
    messages_ = service ? service : &ownMessages_;
}

void DialogWidget::setFileChooser(FileChooser* chooser) { files_ = chooser ? chooser : &ownFiles_; }

void DialogWidget::DoDataExchange(DataExchange&) {}

void DialogWidget::OnInitDialog() { UpdateData(false); }
