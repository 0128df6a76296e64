// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/request_record.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <array>

#include "app/dialog/template_page.h"
#include "app/pages/matrix_page.h"
#include "app/widgets/template_widgets.h"
#include "app/work/qt_message_service.h"
#include "core/string_ids.h"
#include "core/string_table.h"

namespace {

// A request of a page: its inputs in the order a row lists them, and the
// control that shows its result. A step edit counts only while its box is
// ticked; the box itself is kept but not listed.
struct RequestKind {
    int templateId;
    int request;
    int kindId;
    std::array<int, 5> inputs;  // 0: none
    int result;
    int stepBox = 0;
    int stepEdit = 0;
};

constexpr RequestKind kRequests[] = {
    {131, 1015, kKindIntegral, {1001, 1017, 1016, 1019, 1020}, 1002},
    {131, 1018, kKindDerivative, {1009, 1010, 1023, 1021, 1022}, 1003},
    {132, 1026, kKindSum, {1020, 1002, 1001, 1022, 1023}, 1009, 1022, 1023},
    {132, 1005, kKindProduct, {1021, 1004, 1003, 1024, 1025}, 1010, 1024, 1025},
    {133, 1031, kKindRoot, {1001, 1027, 1028, 1029, 1030}, 1032},
    {134, 1035, kKindDeterminant, {1034, 1001}, 1009},
    {129, 1011, kKindMatrixSum, {1006, 1007}, 1001},
    {129, 1012, kKindMatrixDifference, {1006, 1007}, 1001},
    {129, 1013, kKindMatrixProduct, {1006, 1007}, 1001},
};

const RequestKind* findRequest(int templateId, int request) {
    for (const RequestKind& kind : kRequests) {
        if (kind.templateId == templateId && kind.request == request) return &kind;
    }
    return nullptr;
}

QString shownText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* area = qobject_cast<const QPlainTextEdit*>(control)) return area->toPlainText();
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (const auto* selector = qobject_cast<const QComboBox*>(control))
        return selector->currentText();
    return {};
}

std::string toStd(const QString& text) { return text.toStdString(); }

// An operand of the matrix page with its shape: "A（2×3）".
QString operandText(const TemplatePage& page, int selectorId, const QString& name) {
    const auto* matrixPage = qobject_cast<const CMatrixPage*>(&page);
    if (!matrixPage) return name;
    const MatrixPageLogic& logic = matrixPage->logic();
    const std::optional<int> position =
        selectorId == 1006 ? logic.firstSelection() : logic.secondSelection();
    if (!position) return name;
    const MatrixSlot& slot = logic.matrix(*position);
    return QString::fromStdString(FormatString(
        kOperandPattern, {toStd(name), std::to_string(slot.nRows), std::to_string(slot.nCols)}));
}

}  // namespace

std::optional<HistoryRow> RecordRequest(const TemplatePage& page, int pageIndex, int requestId) {
    const RequestKind* kind = findRequest(page.templateId(), requestId);
    if (!kind) return std::nullopt;
    HistoryRow row{pageIndex, requestId, kind->kindId,
                   {},        {},        shownText(page.control(kind->result))};
    const bool stepTicked = kind->stepBox && shownText(page.control(kind->stepBox)) == "1";
    QStringList listed;
    for (const int id : kind->inputs) {
        if (id == 0) continue;
        const QWidget* control = page.control(id);
        const QString text = shownText(control);
        row.inputs.push_back({id, text});
        if (id == kind->stepBox || (id == kind->stepEdit && !stepTicked)) continue;
        const QString value =
            qobject_cast<const QComboBox*>(control) ? operandText(page, id, text) : text;
        listed << QString::fromStdString(
            FormatString(kInputPattern, {toStd(control->accessibleName()), toStd(value)}));
    }
    row.inputText = listed.join(loadQString(kInputSeparator));
    return row;
}

void RestoreRequest(TemplatePage& page, const HistoryRow& row) {
    const RequestKind* kind = findRequest(page.templateId(), row.request);
    if (!kind) return;
    for (const HistoryInput& input : row.inputs) {
        QWidget* control = page.control(input.controlId);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(input.text);
        } else if (auto* area = qobject_cast<TextArea*>(control)) {
            area->setText(input.text);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(input.text == QLatin1String("1"));
            if (auto* step = page.control<QLineEdit>(kind->stepEdit);
                step && input.controlId == kind->stepBox)
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
