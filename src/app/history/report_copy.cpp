// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/report_copy.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <optional>

#include "app/widgets/template_widgets.h"
#include "app/work/qt_message_service.h"
#include "core/number_text.h"
#include "core/string_ids.h"
#include "matrix/determinant.h"
#include "matrix/matrix_latex.h"
#include "matrix/matrix_text.h"

namespace {

std::optional<int> typedInt(const QLineEdit* edit) {
    return parseIntField(edit->text().toStdString());
}

void copyLatex(const TextArea* elements, const QLineEdit* rows, const QLineEdit* cols,
               MessageService& messages) {
    const bool determinant = cols == nullptr;
    const std::string text = elements->toPlainText().toStdString();
    if (text.empty())
        return messages.showMessage(determinant ? kMsgEnterDeterminant : kMsgEnterMatrix);
    const std::optional<int> r = typedInt(rows);
    const std::optional<int> c = determinant ? r : typedInt(cols);
    const bool shapeTaken = determinant
                                ? r && *r >= kMinDeterminantOrder && *r <= kMaxDeterminantOrder
                                : r && c && *r > 0 && *c > 0;
    if (!shapeTaken)
        return messages.showMessage(determinant ? kMsgOrderOutOfRange : kMsgShapeNotPositive);
    std::optional<std::string> latex;
    if (const std::optional<std::size_t> count = ElementCount(*r, *c)) {
        if (const std::optional<std::vector<float>> values = ParseMatrixText(text, *count))
            latex = MatrixLatex(*values, *r, *c, determinant);
    }
    if (!latex) return messages.showMessage(kMsgNoMemory);
    QApplication::clipboard()->setText(QString::fromStdString(*latex));
}

}  // namespace

void offerLatexCopy(TextArea* elements, QLineEdit* rows, QLineEdit* cols,
                    MessageService& messages) {
    auto* action = new QAction(loadQString(kCopyLatexLabel), elements);
    QObject::connect(action, &QAction::triggered, elements,
                     [=, &messages] { copyLatex(elements, rows, cols, messages); });
    elements->addAction(action);
}
