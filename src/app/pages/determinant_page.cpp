// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/determinant_page.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog/data_exchange.h"
#include "app/history/report_copy.h"
#include "app/pages/page_work.h"
#include "app/widgets/live_description.h"
#include "app/widgets/template_widgets.h"
#include "core/number_text.h"
#include "matrix/memory_reach.h"

CDeterminantPage::CDeterminantPage()
    : TemplatePage(kDeterminantTemplate), logic_(ProgramDeterminantMatrix(), messages_, *this) {}

void CDeterminantPage::DoDataExchange(DataExchange& dx) {
    dx.text(kDeterminantElements, m_strElements);
    dx.text(kOrder, m_nOrder);
    dx.text(kDeterminantValue, m_fResult);
}

void CDeterminantPage::OnInitDialog() {
    TemplatePage::OnInitDialog();
    connect(button(kCompute), &QPushButton::clicked, this, &CDeterminantPage::OnCompute);
    auto* elements = control<QPlainTextEdit>(kDeterminantElements);
    auto* order = control<QLineEdit>(kOrder);
    const auto orderTyped = [order] { return parseIntField(order->text().toStdString()); };
    describeAsTyped(elements,
                    [=] {
                        const std::optional<int> n = orderTyped();
                        std::optional<TextShape> shape;
                        if (n && *n >= kMinDeterminantOrder && *n <= kMaxDeterminantOrder)
                            shape = TextShape{*n, *n, true};
                        return QString::fromStdString(
                            DescribeMatrixText(elements->toPlainText().toStdString(), shape));
                    },
                    {order});
    // The result changes after a computation, which gives the time it took.
    describeAsTyped(order,
                    [=, this] {
                        const std::optional<int> n = orderTyped();
                        if (!n) return QString();
                        return QString::fromStdString(
                            DescribeDeterminantOrder(*n, logic_.lastRun(), AvailableMemoryBytes()));
                    },
                    {control(kDeterminantValue)});
    offerLatexCopy(control<TextArea>(kDeterminantElements), order, nullptr, messages_);
}

void CDeterminantPage::OnCompute() {
    if (!logic_.beginCompute()) return;
    const DeterminantResult result = RunMatrixWork<DeterminantResult>(
        this, [this](WorkControl* control) { return logic_.computeDeterminant(control); });
    logic_.finishCompute(result);
    if (result.status == ComputeStatus::Done) emit calculated(kCompute);
}
