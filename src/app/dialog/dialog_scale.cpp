// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/dialog_scale.h"

#include <QApplication>
#include <algorithm>

#include "app/dialog/app_settings.h"
#include "app/dialog/dialog_widget.h"
#include "app/look/dialog_look.h"

namespace {

int currentScale = kDesignScale;

int stepIndex(int scale) {
    const auto above = std::upper_bound(kDialogScales.begin(), kDialogScales.end(), scale);
    return above == kDialogScales.begin() ? 0 : static_cast<int>(above - kDialogScales.begin()) - 1;
}

constexpr auto kScaleKey = "window/scale";

}  // namespace

int dialogScale() { return currentScale; }

int scaledPixels(int pixels) { return (pixels * currentScale + kDesignScale / 2) / kDesignScale; }

int neighbourDialogScale(int scale, int steps) {
    const int last = static_cast<int>(kDialogScales.size()) - 1;
    return kDialogScales[std::clamp(stepIndex(scale) + steps, 0, last)];
}

void applyDialogScale(int scale) {
    currentScale = kDialogScales[stepIndex(scale)];
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        applyDialogFont(*app);
    }
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* dialog = qobject_cast<DialogWidget*>(widget)) dialog->applyScale();
    }
}

int rememberedDialogScale() {
    bool ok = false;
    const int scale = AppSettings().value(kScaleKey).toInt(&ok);
    return ok ? kDialogScales[stepIndex(scale)] : kDesignScale;
}

void rememberDialogScale(int scale) { AppSettings().setValue(kScaleKey, scale); }
