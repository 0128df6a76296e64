// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/stale_results.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "app/dialog/control_text.h"
#include "app/look/dialog_look.h"
#include "app/pages/calculation_page.h"
#include "app/widgets/live_description.h"
#include "app/work/qt_message_service.h"
#include "core/string_ids.h"

namespace {

void onChange(QWidget* control, StaleResults* results) {
    const auto recheck = [results] { results->recheckSoon(); };
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(edit, &QLineEdit::textChanged, results, recheck);
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(control)) {
        QObject::connect(area, &QPlainTextEdit::textChanged, results, recheck);
    } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(box, &QAbstractButton::toggled, results, recheck);
    } else if (auto* selector = qobject_cast<QComboBox*>(control)) {
        QObject::connect(selector, &QComboBox::currentIndexChanged, results, recheck);
    }
}

// description: what the field says while its result fits, or nothing once
// it shows none.
void showStale(QWidget* result, bool stale, const QString& description) {
    applyEditColours(*result, result->property("readOnly").toBool());
    if (stale) {
        QPalette palette = result->palette();
        palette.setColor(QPalette::Text, kStaleText);
        result->setPalette(palette);
    }
    setStandingNote(result, stale ? loadQString(kHintStaleResult) : description);
}

}  // namespace

StaleResults::StaleResults(CalculationPage& page) : QObject(&page), page_(page) {
    recheck_.setSingleShot(true);
    recheck_.setInterval(0);
    connect(&recheck_, &QTimer::timeout, this, &StaleResults::recheck);
    QList<QWidget*> watched;
    for (const PageRequest& request : page.requests()) {
        for (const int id : request.inputs) watched << page.control(id);
        watched << page.control(request.result);
    }
    std::ranges::sort(watched);
    const auto repeated = std::ranges::unique(watched);
    watched.erase(repeated.begin(), repeated.end());
    for (QWidget* control : watched) onChange(control, this);
}

void StaleResults::resultShown(const PageRequest& request, const QString& description) {
    const auto same = [&](const Shown& shown) { return shown.request.result == request.result; };
    QWidget* result = page_.control(request.result);
    bool marked = !description.isEmpty();
    if (const auto old = std::ranges::find_if(shown_, same); old != shown_.end()) {
        marked = marked || old->stale || !old->description.isEmpty();
        shown_.erase(old);
    }
    if (marked) showStale(result, false, description);
    shown_.push_back({request, page_.inputState(request), controlText(result), description});
}

bool StaleResults::stillShown(const Shown& shown) const {
    return controlText(page_.control(shown.request.result)) == shown.result;
}

bool StaleResults::fresh(const PageRequest& request) const {
    return std::ranges::any_of(shown_, [&](const Shown& shown) {
        return shown.request.button == request.button && stillShown(shown) &&
               page_.inputState(request) == shown.inputs;
    });
}

void StaleResults::recheck() {
    for (auto shown = shown_.begin(); shown != shown_.end();) {
        QWidget* result = page_.control(shown->request.result);
        if (!stillShown(*shown)) {
            if (shown->stale || !shown->description.isEmpty()) showStale(result, false, {});
            shown = shown_.erase(shown);
            continue;
        }
        const bool stale = page_.inputState(shown->request) != shown->inputs;
        if (stale != shown->stale) showStale(result, stale, shown->description);
        shown->stale = stale;
        ++shown;
    }
}
