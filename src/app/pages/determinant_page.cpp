// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/determinant_page.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/dialog/data_exchange.h"
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
    dx.text(kDeterminantValue, m_fResult);
}

void CDeterminantPage::OnInitDialog() {
    CalculationPage::OnInitDialog();
    connect(button(kCompute), &QPushButton::clicked, this, &CDeterminantPage::OnCompute);
    auto* order = control<QLineEdit>(kOrder);
    watchElements(control<TextArea>(kDeterminantElements), order, nullptr, messages_);
    // The result changes after a computation, which gives the time it took.
    describeAsTyped(order,
                    [=, this] {
                        const std::optional<int> n = parseIntField(order->text().toStdString());
                        if (!n) return QString();
                        return QString::fromStdString(
                            DescribeDeterminantOrder(*n, logic_.lastRun(), AvailableMemoryBytes()));
                    },
                    {control(kDeterminantValue)});
}

void CDeterminantPage::OnCompute() {
    if (!logic_.beginCompute()) return;
    runComputation(
        kCompute, [this](WorkControl* control) { return logic_.computeDeterminant(control); },
        [this](const DeterminantResult& result) { logic_.finishCompute(result); });
}
