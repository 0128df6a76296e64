// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/determinant_page.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/dialog/window_precision.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"
#include "core/number_text.h"
#include "matrix/memory_reach.h"

CDeterminantPage::CDeterminantPage() : LogicPage(kDeterminantTemplate, ProgramDeterminantMatrix()) {
    describe({.button = kCompute,
              .kind = kKindDeterminant,
              .inputs = {kOrder, kDeterminantElements},
              .result = kDeterminantValue});
}

void CDeterminantPage::DoDataExchange(DataExchange& dx) {
    dx.text(kDeterminantElements, m_strElements);
    dx.text(kOrder, m_nOrder);
    // A result of double precision is a text: an exact integer may have any
    // number of digits.
    if (logic_.showsResultText()) {
        dx.text(kDeterminantValue, logic_.m_strResult);
    } else {
        dx.text(kDeterminantValue, m_fResult);
    }
}

bool CDeterminantPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == control(kDeterminantValue) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyResult();
        return true;
    }
    return LogicPage::eventFilter(watched, event);
}

void CDeterminantPage::copyResult() {
    auto* value = control<QLineEdit>(kDeterminantValue);
    if (!value) return;
    // The exact value, which the field may show rounded; a selection of the
    // field copies as any edit does.
    if (logic_.showsResultText() && !logic_.exactResultText.empty() && !value->hasSelectedText()) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(logic_.exactResultText));
    } else {
        value->copy();
    }
}

void CDeterminantPage::OnInitDialog() {
    CalculationPage::OnInitDialog();
    connect(button(kCompute), &QPushButton::clicked, this, &CDeterminantPage::OnCompute);
    auto* order = control<QLineEdit>(kOrder);
    watchElements(control<TextArea>(kDeterminantElements), order, nullptr, messages_);
    // The field's own Ctrl+C would copy the rounded text, and only a selection.
    if (auto* value = control<QLineEdit>(kDeterminantValue)) value->installEventFilter(this);
    // The result changes after a computation, which gives the time it took.
    // Double precision computes every order at once: no cost to tell.
    describeAsTyped(order,
                    [=, this] {
                        const std::optional<int> n = parseIntField(order->text().toStdString());
                        if (!n || WindowPrecision::instance().isDouble()) return QString();
                        return QString::fromStdString(
                            DescribeDeterminantOrder(*n, logic_.lastRun(), AvailableMemoryBytes()));
                    },
                    {control(kDeterminantValue)});
}

void CDeterminantPage::OnCompute() {
    logic_.precision = WindowPrecision::instance().current();
    if (!logic_.beginCompute()) return;
    if (logic_.precision == Precision::Double) {
        runComputation(
            kCompute, [this](WorkControl* control) { return logic_.computeExactly(control); },
            [this](const ExactDeterminant& result) {
                logic_.finishExactly(result);
                describeNextResult(QString::fromStdString(logic_.resultDetail));
            });
    } else {
        runComputation(
            kCompute, [this](WorkControl* control) { return logic_.computeDeterminant(control); },
            [this](const DeterminantResult& result) { logic_.finishCompute(result); });
    }
}
