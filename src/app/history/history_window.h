// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

class FileChooser;
class History;
class MessageService;
class QTableView;

// "历史记录": a tool window beside the main window with the history as a
// table. Enter or a double-click on a row asks for its inputs back; Ctrl+A
// selects every row, Ctrl+C copies the selected ones as tab-separated text
// with a header line; "导出…" saves the table as CSV. Escape hides it.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    HistoryWindow(History& history, FileChooser& files, MessageService& messages, QWidget* parent);

    QTableView* table() const { return table_; }

    // Shows the window, active, with the newest row selected.
    void showNewest();
    void copySelectedRows();
    void exportTable();

  signals:
    void restoreRequested(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    History& history_;
    FileChooser& files_;
    MessageService& messages_;
    void sizeColumns();

    QTableView* table_;
    int scale_;                                    // the dialog scale the window is sized for
    std::array<double, 2> designWidths_{90, 360};  // the first columns' at the design scale
    bool sizingColumns_ = false;
};
