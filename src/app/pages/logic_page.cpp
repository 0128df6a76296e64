// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/logic_page.h"

#include <QLineEdit>
#include <optional>

#include "app/history/report_copy.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"
#include "core/number_text.h"
#include "matrix/determinant.h"
#include "matrix/text_description.h"

namespace {

std::optional<int> integerIn(const QLineEdit* field) {
    return parseIntField(field->text().toStdString());
}

// The shape the fields give now, if they give one.
std::optional<TextShape> shapeIn(const QLineEdit* rows, const QLineEdit* cols) {
    const std::optional<int> r = integerIn(rows);
    if (!cols) {
        if (r && *r >= kMinDeterminantOrder && *r <= kMaxDeterminantOrder)
            return TextShape{*r, *r, true};
        return std::nullopt;
    }
    const std::optional<int> c = integerIn(cols);
    if (r && c) return TextShape{*r, *c, false};
    return std::nullopt;
}

}  // namespace

void watchElements(TextArea* elements, QLineEdit* rows, QLineEdit* cols, MessageService& messages) {
    QList<QWidget*> fields{rows};
    if (cols) fields.append(cols);
    describeAsTyped(
        elements,
        [=] {
            return QString::fromStdString(
                DescribeMatrixText(elements->toPlainText().toStdString(), shapeIn(rows, cols)));
        },
        fields);
    offerLatexCopy(elements, rows, cols, messages);
}
