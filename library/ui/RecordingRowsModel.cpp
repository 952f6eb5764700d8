#include "library/ui/RecordingRowsModel.h"

int RecordingRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordingRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RecordingColumnCount;
}

QVariant RecordingRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return Text(index.row(), index.column());
}

void RecordingRowsModel::SetRows(QList<RecordingEntry> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString RecordingRowsModel::Text(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= RecordingColumnCount)
        return {};
    return m_rows[row][column];
}

void RecordingRowsModel::SetText(int row, int column, const QString& text) {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= RecordingColumnCount)
        return;
    m_rows[row][column] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}
