// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QString>
#include <deque>

#include "core/precision.h"

// One input control of a request and what it held: an edit's text, a
// selector's name, "1" or "0" for a check box.
struct HistoryInput {
    int controlId;
    QString text;
};

// A calculation that showed its result.
struct HistoryRow {
    int page = 0;     // its page's index in the main window
    int request = 0;  // the id of the button that ran it
    int kindId = 0;   // string id of what was calculated
    QList<HistoryInput> inputs;
    QString inputText;  // the inputs in one line, for people
    QString result;     // exactly as the page showed it
    // The precision the window computed it in.
    Precision precision = Precision::Single;
};

// The results of this run, oldest first, as a table of three columns: what
// was calculated, from what, and the result. It lives in memory only and is
// bounded twice: at most kMaxRows rows, and at most kMaxChars characters of
// text in all (one matrix product can write megabytes); the oldest rows go
// first, but the newest always stays.
class History : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kMaxRows = 10000;
    static constexpr qsizetype kMaxChars = qsizetype{1} << 25;
    static constexpr int kColumns = 3;

    using QAbstractTableModel::QAbstractTableModel;

    void append(HistoryRow row);
    const HistoryRow& at(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    int size() const { return static_cast<int>(rows_.size()); }
    qsizetype chars() const { return chars_; }

    // The text of a cell as copies carry it. The kind of a row computed in
    // double precision says so ("定积分（双精度）"); a kind without the mark
    // is single, as rows were before there were two precisions.
    QString cell(int row, int column) const;

    // The header line and the rows given, one line each, the cells separated
    // by tabs; tabs and line breaks inside a cell become spaces.
    QString tabSeparated(QList<int> rows) const;
    // The header and every row as CSV (RFC 4180, CR LF line ends), UTF-8
    // with a byte-order mark so that spreadsheets read the Chinese.
    QByteArray csv() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::deque<HistoryRow> rows_;
    qsizetype chars_ = 0;
};
