// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/window_precision.h"

#include "app/dialog/app_settings.h"

namespace {

constexpr auto kPrecisionKey = "calculation/precision";

}  // namespace

WindowPrecision& WindowPrecision::instance() {
    static WindowPrecision precision;
    return precision;
}

void WindowPrecision::loadFromSettings() {
    const QString word = AppSettings().value(kPrecisionKey).toString();
    set(ParsePrecisionWord(word.toStdString()).value_or(Precision::Single));
}

void WindowPrecision::set(Precision precision) {
    if (precision == current_) return;
    current_ = precision;
    emit changed(precision);
}

void WindowPrecision::choose(Precision precision) {
    AppSettings().setValue(kPrecisionKey, precision == Precision::Double ? "double" : "single");
    set(precision);
}
