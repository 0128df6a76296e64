// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/history.h"

#include <algorithm>

#include "app/work/qt_message_service.h"
#include "core/string_ids.h"

namespace {

// A cell shows at most this much; the view elides what does not fit, and
// laying out megabytes at every paint would stall it.
constexpr qsizetype kShownChars = 1000;

qsizetype charsOf(const HistoryRow& row) {
    qsizetype chars = row.inputText.size() + row.result.size();
    for (const HistoryInput& input : row.inputs) chars += input.text.size();
    return chars;
}

QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (const QChar c : {QChar('\r'), QChar('\n'), QChar('\t')}) text.replace(c, QChar(' '));
    return text.trimmed();
}

QByteArray csvField(const QString& text) {
    QByteArray field = text.toUtf8();
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n') &&
        !field.contains('\r'))
        return field;
    field.replace("\"", "\"\"");
    return '"' + field + '"';
}

}  // namespace

void History::append(HistoryRow row) {
    const int at = size();
    beginInsertRows({}, at, at);
    chars_ += charsOf(row);
    rows_.push_back(std::move(row));
    endInsertRows();
    std::size_t oldest = 0;
    const auto left = [&] { return rows_.size() - oldest; };
    while (left() > 1 && (left() > std::size_t{kMaxRows} || chars_ > kMaxChars))
        chars_ -= charsOf(rows_[oldest++]);
    if (oldest == 0) return;
    beginRemoveRows({}, 0, static_cast<int>(oldest) - 1);
    rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(oldest));
    endRemoveRows();
}

QString History::cell(int row, int column) const {
    const HistoryRow& entry = at(row);
    switch (column) {
        case 0:
            if (entry.precision == Precision::Double)
                return loadQString(kHistoryDoubleKind).arg(loadQString(entry.kindId));
            return loadQString(entry.kindId);
        case 1:
            return entry.inputText;
        default:
            return entry.result;
    }
}

QString History::tabSeparated(QList<int> rows) const {
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    QStringList header;
    for (int column = 0; column < kColumns; ++column)
        header << headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << header.join(QChar('\t'));
    for (const int row : rows) {
        if (row < 0 || row >= size()) continue;
        QStringList cells;
        for (int column = 0; column < kColumns; ++column) cells << oneLine(cell(row, column));
        lines << cells.join(QChar('\t'));
    }
    return lines.join(QChar('\n')) + QChar('\n');
}

QByteArray History::csv() const {
    QByteArray text("\xEF\xBB\xBF");
    const auto line = [&text](auto cellText) {
        for (int column = 0; column < kColumns; ++column) {
            if (column > 0) text += ',';
            text += csvField(cellText(column));
        }
        text += "\r\n";
    };
    line([this](int column) {
        return headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    });
    for (int row = 0; row < size(); ++row)
        line([this, row](int column) { return cell(row, column); });
    return text;
}

int History::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : size(); }

int History::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant History::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= size()) return {};
    return oneLine(cell(index.row(), index.column()).left(kShownChars));
}

QVariant History::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return loadQString(kHistoryKindHeader + section);
}
