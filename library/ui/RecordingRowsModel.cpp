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

const RecordingEntry* RecordingRowsModel::Row(int row) const {
    return row >= 0 && row < m_rows.size() ? &m_rows[row] : nullptr;
}

QString RecordingRowsModel::Text(int row, int column) const {
    const RecordingEntry* entry = Row(row);
    return entry ? entry->Text(column) : QString();
}

void RecordingRowsModel::SetChecked(int row, bool checked) {
    if (!Row(row))
        return;
    m_rows[row].checked = checked;
    const QModelIndex cell = index(row, ColumnCheck);
    emit dataChanged(cell, cell);
}
