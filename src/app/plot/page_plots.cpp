// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot/page_plots.h"

#include <QCheckBox>
#include <QLineEdit>

#include "app/dialog/window_precision.h"
#include "app/pages/calculation_page.h"
#include "app/plot/plot_window.h"
#include "app/widgets/template_widgets.h"
#include "expr/number_field.h"

namespace {

// The number a field shows, read as precision reads it (pi/2 in double);
// 0 while it shows none, as a fresh field does.
double numberIn(const TemplatePage& page, int id, Precision precision) {
    const auto* edit = page.control<QLineEdit>(id);
    return edit ? ReadNumberField(edit->text().toStdString(), precision).value_or(0.0) : 0.0;
}

PictureControl* pictureOf(const TemplatePage& page, int resourceId) {
    for (const CreatedControl& created : page.controls()) {
        auto* picture = qobject_cast<PictureControl*>(created.widget);
        if (picture && picture->resourceId() == resourceId) return picture;
    }
    return nullptr;
}

// What the plot of request draws, from the page's fields now, in the
// window's precision.
PlotSetup setupOf(const TemplatePage& page, const PageRequest& request) {
    PlotSetup setup;
    setup.kind = request.plot;
    setup.precision = WindowPrecision::instance().current();
    setup.formula = page.control<QLineEdit>(request.formula)->text().toStdString();
    setup.from = numberIn(page, request.from, setup.precision);
    setup.to = numberIn(page, request.to, setup.precision);
    if (request.stepBox) {
        // Without the box the page steps by 1, whatever the step edit shows.
        const auto* box = page.control<QCheckBox>(request.stepBox);
        setup.step =
            box && box->isChecked() ? numberIn(page, request.stepEdit, setup.precision) : 1.0;
    }
    return setup;
}

void attachPlot(CalculationPage& page, const PageRequest& request) {
    auto* edit = page.control<FieldEdit>(request.formula);
    if (!edit) return;
    QList<QWidget*> watched;
    for (const int field : {request.from, request.to, request.stepBox, request.stepEdit}) {
        QWidget* control = page.control(field);
        if (control && !watched.contains(control)) watched.append(control);
    }
    auto* source = new PlotSource(
        edit, [&page, request] { return setupOf(page, request); }, watched);
    offerPlot(edit, source);
    // A sum or a product is no point of the curve.
    if (request.plot != PlotKind::Progression)
        source->followResult(&page, request.button, page.control<QLineEdit>(request.result));
    if (request.picture) openPlotOnClick(pictureOf(page, request.picture), source);
}

}  // namespace

void attachPagePlots(CalculationPage& page) {
    for (const PageRequest& request : page.requests()) {
        if (request.formula) attachPlot(page, request);
    }
}
