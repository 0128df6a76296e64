// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/data_exchange.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cmath>
#include <limits>

#include "app/dialog/window_precision.h"
#include "app/widgets/template_widgets.h"
#include "core/number_text.h"
#include "expr/number_field.h"

namespace {

QString controlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (auto* area = qobject_cast<const QPlainTextEdit*>(control)) return area->toPlainText();
    if (auto* label = qobject_cast<const StaticText*>(control)) return label->text();
    return {};
}

void setControlText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* area = qobject_cast<TextArea*>(control)) {
        area->setText(text);
    } else if (auto* label = qobject_cast<StaticText*>(control)) {
        label->setText(text);
    }
}

QString fromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QWidget* DataExchange::next(int id) { return failed_ ? nullptr : dialog_.control(id); }

void DataExchange::fail(QWidget* control, int messageId) {
    failed_ = true;
    dialog_.messages().showMessage(messageId);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    if (auto* area = qobject_cast<QPlainTextEdit*>(control)) area->selectAll();
}

void DataExchange::text(int id, std::string& field) {
    QWidget* control = next(id);
    if (!control) return;
    if (saveAndValidate_) {
        field = controlText(control).toStdString();
    } else {
        setControlText(control, fromStd(field));
    }
}

void DataExchange::text(int id, double& field) {
    QWidget* control = next(id);
    if (!control) return;
    const Precision precision = WindowPrecision::instance().current();
    if (!saveAndValidate_) {
        // In double precision a field keeps what the user typed for its value,
        // so pi/2 stays pi/2 rather than turning into its digits.
        if (precision == Precision::Double &&
            ReadNumberField(controlText(control).toStdString(), precision) == field)
            return;
        setControlText(control, fromStd(formatDouble(field)));
        return;
    }
    const std::optional<double> value =
        ReadNumberField(controlText(control).toStdString(), precision);
    if (!value) return fail(control, kMsgNotANumber);
    field = *value;
}

void DataExchange::text(int id, float& field) {
    QWidget* control = next(id);
    if (!control) return;
    if (!saveAndValidate_) {
        setControlText(control, fromStd(formatFloat(field)));
        return;
    }
    const std::optional<double> value = parseDoubleField(controlText(control).toStdString());
    // A number beyond the range of a single is refused like any other.
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return fail(control, kMsgNotANumber);
    }
    field = static_cast<float>(*value);
}

void DataExchange::text(int id, int& field) {
    QWidget* control = next(id);
    if (!control) return;
    if (!saveAndValidate_) {
        setControlText(control, QString::number(field));
        return;
    }
    const std::optional<int> value = parseIntField(controlText(control).toStdString());
    if (!value) return fail(control, kMsgNotAnInteger);
    field = *value;
}

void DataExchange::check(int id, int& field) {
    auto* box = qobject_cast<QCheckBox*>(next(id));
    if (!box) return;
    if (saveAndValidate_) {
        field = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(field != 0);
    }
}
