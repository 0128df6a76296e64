// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/look/dialog_look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QWidget>

#include "app/dialog/dialog_scale.h"
#include "app/look/dialog_style.h"

namespace {

constexpr auto kDialogFontFamily = "宋体";

}  // namespace

void applyDialogStyle(QApplication&) { QApplication::setStyle(new DialogStyle); }

void applyDialogFont(QApplication& app) {
    QFont::insertSubstitutions(kDialogFontFamily, {"Noto Serif CJK SC", "Noto Serif CJK",
                                                   "Noto Sans CJK SC", "WenQuanYi Zen Hei"});
    QFont font(kDialogFontFamily);
    font.setPixelSize(scaledPixels(12));
    app.setFont(font);
}

void applyDialogColours(QApplication& app) {
    QPalette palette = app.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, kDialogBackground);
        palette.setColor(group, QPalette::WindowText, kDialogText);
        palette.setColor(group, QPalette::Button, kDialogBackground);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, kDialogBackground);
    palette.setColor(QPalette::Disabled, QPalette::Button, kDialogBackground);
    app.setPalette(palette);
}

void applyDialogLook(QApplication& app) {
    applyDialogStyle(app);
    applyDialogFont(app);
    applyDialogColours(app);
}

void applyEditColours(QWidget& edit, bool readOnly) {
    const QPalette app = QApplication::palette(&edit);
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, readOnly ? kDialogBackground : app.color(QPalette::Base));
    palette.setColor(QPalette::Text, readOnly ? kDialogText : app.color(QPalette::Text));
    edit.setPalette(palette);
}
