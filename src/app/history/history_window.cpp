// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/history_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

#include "app/dialog/dialog_scale.h"
#include "app/history/history.h"
#include "app/work/file_chooser.h"
#include "app/work/qt_message_service.h"
#include "core/string_ids.h"

HistoryWindow::HistoryWindow(History& history, FileChooser& files, MessageService& messages,
                             QWidget* parent)
    : QDialog(parent, Qt::Tool),
      history_(history),
      files_(files),
      messages_(messages),
      table_(new QTableView(this)),
      scale_(dialogScale()) {
    setWindowTitle(loadQString(kHistoryTitle));
    setAccessibleName(loadQString(kHistoryTitle));
    setModal(false);
    table_->setModel(&history);
    table_->setAccessibleName(loadQString(kHistoryTableName));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    sizeColumns();
    // A width the user gives a column is kept, as at the design scale.
    connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (sizingColumns_ || column >= std::ssize(designWidths_)) return;
                designWidths_[column] = width * static_cast<double>(kDesignScale) / dialogScale();
            });
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit restoreRequested(index.row()); });

    auto* exportButton = new QPushButton(loadQString(kHistoryExport), this);
    exportButton->setAccessibleName(loadQString(kHistoryExport));
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, &HistoryWindow::exportTable);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(scaledPixels(720), scaledPixels(320));
}

void HistoryWindow::sizeColumns() {
    sizingColumns_ = true;
    for (int column = 0; column < std::ssize(designWidths_); ++column) {
        table_->setColumnWidth(column,
                               qRound(designWidths_[column] * dialogScale() / kDesignScale));
    }
    sizingColumns_ = false;
}

// A new dialog scale changes the font; the window and its columns grow or
// shrink with it.
void HistoryWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::FontChange || dialogScale() == scale_) return;
    sizeColumns();
    resize(width() * dialogScale() / scale_, height() * dialogScale() / scale_);
    scale_ = dialogScale();
}

void HistoryWindow::showNewest() {
    show();
    raise();
    activateWindow();
    table_->setFocus();
    if (history_.size() == 0) return;
    const int newest = history_.size() - 1;
    // Only the newest: a selection left from the last time would stay beside it.
    const QModelIndex index = history_.index(newest, 0);
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(history_.index(newest, 0));
}

void HistoryWindow::copySelectedRows() {
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows << index.row();
    if (rows.isEmpty()) return;
    QApplication::clipboard()->setText(history_.tabSeparated(rows));
}

void HistoryWindow::exportTable() {
    const QString path =
        files_.chooseFileToSave(this, kExportCaption, kCsvFilter, QStringLiteral("csv"));
    if (path.isEmpty()) return;
    QSaveFile file(path);
    const QByteArray csv = history_.csv();
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        messages_.showMessage(kMsgCannotSave, QDir::toNativeSeparators(path).toStdString());
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            copySelectedRows();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && table_->currentIndex().isValid()) {
            emit restoreRequested(table_->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
