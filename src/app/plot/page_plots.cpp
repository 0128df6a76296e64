// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot/page_plots.h"

#include <QCheckBox>
#include <QLineEdit>

#include "app/dialog/template_page.h"
#include "app/look/art.h"
#include "app/plot/plot_window.h"
#include "app/widgets/template_widgets.h"
#include "core/number_text.h"

namespace {

// The number a field shows; 0 while it shows none, as a fresh field does.
double numberIn(const TemplatePage& page, int id) {
    const auto* edit = page.control<QLineEdit>(id);
    return edit ? parseDoubleField(edit->text().toStdString()).value_or(0.0) : 0.0;
}

std::string formulaIn(const TemplatePage& page, int id) {
    const auto* edit = page.control<QLineEdit>(id);
    return edit ? edit->text().toStdString() : std::string();
}

PictureControl* pictureOf(const TemplatePage& page, int resourceId) {
    for (const CreatedControl& created : page.controls()) {
        auto* picture = qobject_cast<PictureControl*>(created.widget);
        if (picture && picture->resourceId() == resourceId) return picture;
    }
    return nullptr;
}

// Makes the source of formula edit id from read and the fields it depends on.
PlotSource* attach(TemplatePage& page, int id, std::function<PlotSetup()> read,
                   std::initializer_list<int> watched) {
    auto* edit = page.control<FieldEdit>(id);
    if (!edit) return nullptr;
    QList<QWidget*> fields;
    for (const int field : watched) fields.append(page.control(field));
    auto* source = new PlotSource(edit, std::move(read), fields);
    offerPlot(edit, source);
    return source;
}

// A progression group: formula, bounds, step box and step edit.
struct ProgressionIds {
    int formula, from, to, stepBox, step, picture;
};

void attachProgression(TemplatePage& page, const ProgressionIds& ids) {
    const auto read = [&page, ids] {
        PlotSetup setup;
        setup.kind = PlotKind::Progression;
        setup.formula = formulaIn(page, ids.formula);
        setup.from = numberIn(page, ids.from);
        setup.to = numberIn(page, ids.to);
        const auto* box = page.control<QCheckBox>(ids.stepBox);
        // Without the box the page steps by 1, whatever the step edit shows.
        setup.step = box && box->isChecked() ? numberIn(page, ids.step) : 1.0;
        return setup;
    };
    if (PlotSource* source =
            attach(page, ids.formula, read, {ids.from, ids.to, ids.stepBox, ids.step}))
        openPlotOnClick(pictureOf(page, ids.picture), source);
}

// A formula drawn over the interval of two fields.
PlotSource* attachOverInterval(TemplatePage& page, PlotKind kind, int formula, int from, int to) {
    return attach(page, formula,
                  [&page, kind, formula, from, to] {
                      PlotSetup setup;
                      setup.kind = kind;
                      setup.formula = formulaIn(page, formula);
                      setup.from = numberIn(page, from);
                      setup.to = numberIn(page, to);
                      return setup;
                  },
                  {from, to});
}

}  // namespace

void attachIntegralPagePlots(TemplatePage& page) {
    PlotSource* integrand = attachOverInterval(page, PlotKind::Integral, 1001, 1017, 1016);
    if (integrand) {
        integrand->followResult(&page, page.button(1015), page.control<QLineEdit>(1002));
        openPlotOnClick(pictureOf(page, kIntegralPageIcon), integrand);
    }
    PlotSource* derivative = attach(page, 1009,
                                    [&page] {
                                        PlotSetup setup;
                                        setup.kind = PlotKind::Derivative;
                                        setup.formula = formulaIn(page, 1009);
                                        setup.from = setup.to = numberIn(page, 1010);
                                        return setup;
                                    },
                                    {1010});
    if (derivative)
        derivative->followResult(&page, page.button(1018), page.control<QLineEdit>(1003));
}

void attachSumProductPagePlots(TemplatePage& page) {
    attachProgression(page, {1020, 1002, 1001, 1022, 1023, kSigmaBitmap});
    attachProgression(page, {1021, 1004, 1003, 1024, 1025, kPiBitmap});
}

void attachEquationPagePlots(TemplatePage& page) {
    PlotSource* equation = attachOverInterval(page, PlotKind::Equation, 1001, 1027, 1028);
    if (equation) equation->followResult(&page, page.button(1031), page.control<QLineEdit>(1032));
}
