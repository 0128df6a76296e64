// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>
#include <memory>
#include <ostream>

#include "app/dialog/dialog_widget.h"
#include "app/dialog/template_ids.h"
#include "app/dialog/window_precision.h"
#include "app/pages/determinant_page.h"
#include "app/pages/equation_page.h"
#include "app/pages/integral_page.h"
#include "app/pages/matrix_page.h"
#include "app/pages/sum_product_page.h"
#include "app/widgets/live_description.h"
#include "app/work/file_chooser.h"

// Test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

// Replaces the text of an edit as a user would: select all, type.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

inline QLineEdit* lineEdit(const DialogWidget& dialog, int id) {
    return dialog.control<QLineEdit>(id);
}

// Replaces the text of a single-line edit as a user types it, or of a
// multi-line edit as a user pastes it.
inline void typeInto(const DialogWidget& dialog, int id, const QString& text) {
    if (QLineEdit* edit = lineEdit(dialog, id)) {
        edit->setFocus();
        return retype(edit, text);
    }
    auto* area = dialog.control<QPlainTextEdit>(id);
    area->setFocus();
    area->selectAll();
    if (text.isEmpty()) return area->textCursor().removeSelectedText();
    QApplication::clipboard()->setText(text);
    area->paste();
}

// The text an edit of either kind shows.
inline QString shownText(const DialogWidget& dialog, int id) {
    if (const QLineEdit* edit = lineEdit(dialog, id)) return edit->text();
    return dialog.control<QPlainTextEdit>(id)->toPlainText();
}

// How long a test waits for an edit's live description: it comes kLiveDelayMs
// after the last change; the target is 100 ms more, and four times the whole
// leaves room for a busy machine.
inline constexpr int kDescribedWithinMs = 4 * (kLiveDelayMs + 100);

// Shows a top-level widget and waits until it is active, so focus and key
// events behave as on a desktop.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The calculation page of a template: kMatrixTemplate, kIntegralTemplate,
// kSumProductTemplate, kEquationTemplate or kDeterminantTemplate.
inline std::unique_ptr<TemplatePage> makePage(int templateId) {
    switch (templateId) {
        case kMatrixTemplate:
            return std::make_unique<CMatrixPage>();
        case kIntegralTemplate:
            return std::make_unique<CIntegralPage>();
        case kSumProductTemplate:
            return std::make_unique<CSumProductPage>();
        case kEquationTemplate:
            return std::make_unique<CEquationPage>();
        default:
            return std::make_unique<CDeterminantPage>();
    }
}

// A page made inside a window of its own, shown and active, its messages
// recorded; the window's precision is single again once it is gone.
struct HostedPage {
    explicit HostedPage(int templateId) : page(makePage(templateId)) {
        page->setMessageService(&messages);
        page->Create(&window);
        shown = showActive(window);
    }
    ~HostedPage() { WindowPrecision::instance().set(Precision::Single); }
    QWidget window;
    RecordingMessageService messages;
    std::unique_ptr<TemplatePage> page;
    bool shown = false;
};

// File dialogs that answer every question with one path.
struct ScriptedFiles final : FileChooser {
    QString chooseFileToSave(QWidget*, int, int, const QString&) override { return path; }
    QString chooseFileToOpen(QWidget*, int, int) override { return path; }
    QString path;
};

// The progress dialog of long work, while it is visible.
inline QWidget* visibleProgressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "progressDialog" && widget->isVisible()) return widget;
    }
    return nullptr;
}

// Picks the name at position in one of the matrix page's selectors, as the
// user's choice arrives.
inline void chooseInSelector(const DialogWidget& page, int selectorId, int position) {
    auto* box = page.control<QComboBox>(selectorId);
    box->setCurrentIndex(position);
    emit box->activated(position);
}
