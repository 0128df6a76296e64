// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/request_record.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/dialog/control_text.h"
#include "app/dialog/template_page.h"
#include "app/dialog/window_precision.h"
#include "app/pages/calculation_page.h"
#include "app/pages/matrix_page.h"
#include "app/widgets/template_widgets.h"
#include "app/work/qt_message_service.h"
#include "core/string_ids.h"
#include "core/string_table.h"

namespace {

// The request of button on page, as the page describes it.
const PageRequest* findRequest(const TemplatePage& page, int button) {
    const auto* calculating = qobject_cast<const CalculationPage*>(&page);
    return calculating ? calculating->request(button) : nullptr;
}

std::string toStd(const QString& text) { return text.toStdString(); }

// An operand of the matrix page with its shape: "A（2×3）".
QString operandText(const TemplatePage& page, int selectorId, const QString& name) {
    const auto* matrixPage = qobject_cast<const CMatrixPage*>(&page);
    if (!matrixPage) return name;
    const MatrixPageLogic& logic = matrixPage->logic();
    const std::optional<int> position =
        selectorId == kFirstOperand ? logic.firstSelection() : logic.secondSelection();
    if (!position) return name;
    const MatrixSlot& slot = logic.matrix(*position);
    return QString::fromStdString(FormatString(
        kOperandPattern, {toStd(name), std::to_string(slot.nRows), std::to_string(slot.nCols)}));
}

}  // namespace

std::optional<HistoryRow> RecordRequest(const TemplatePage& page, int pageIndex, int requestId) {
    const PageRequest* request = findRequest(page, requestId);
    if (!request) return std::nullopt;
    HistoryRow row{pageIndex,
                   requestId,
                   request->kind,
                   {},
                   {},
                   controlText(page.control(request->result)),
                   WindowPrecision::instance().current()};
    const bool stepTicked = request->stepBox && controlText(page.control(request->stepBox)) == "1";
    QStringList listed;
    for (const int id : request->inputs) {
        if (id == 0) continue;
        const QWidget* control = page.control(id);
        const QString text = controlText(control);
        row.inputs.push_back({id, text});
        if (id == request->stepBox || (id == request->stepEdit && !stepTicked)) continue;
        const QString value =
            qobject_cast<const QComboBox*>(control) ? operandText(page, id, text) : text;
        listed << QString::fromStdString(
            FormatString(kInputPattern, {toStd(control->accessibleName()), toStd(value)}));
    }
    row.inputText = listed.join(loadQString(kInputSeparator));
    return row;
}

void RestoreRowPrecision(const HistoryRow& row) { WindowPrecision::instance().set(row.precision); }

void RestoreRequest(TemplatePage& page, const HistoryRow& row) {
    const PageRequest* request = findRequest(page, row.request);
    if (!request) return;
    for (const HistoryInput& input : row.inputs) {
        QWidget* control = page.control(input.controlId);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(input.text);
        } else if (auto* area = qobject_cast<TextArea*>(control)) {
            area->setText(input.text);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(input.text == QLatin1String("1"));
            if (auto* step = page.control<QLineEdit>(request->stepEdit);
                step && input.controlId == request->stepBox)
                step->setReadOnly(!box->isChecked());
        } else if (auto* selector = qobject_cast<QComboBox*>(control)) {
            // As the user's pick arrives, so that the page selects it too.
            const int position = selector->findText(input.text);
            if (position < 0) continue;
            selector->setCurrentIndex(position);
            emit selector->activated(position);
        }
    }
}
