#include "library/ui/RecordingRowsModel.h"

#include "library/UnfinishedRecording.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

int RecordingRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordingRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RecordingColumnCount;
}

QVariant RecordingRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == ColumnName && Unfinished(index.row()))
        return LoadLangString(StringId::UnfinishedRecording);
    return {};
}

void RecordingRowsModel::SetRows(QList<RecordingEntry> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_unfinished.assign(size_t(m_rows.size()), Unknown);
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

bool RecordingRowsModel::Unfinished(int row) const {
    const RecordingEntry* entry = Row(row);
    if (!entry)
        return false;
    qint8& known = m_unfinished[size_t(row)];
    if (known == Unknown)
        known = IsUnfinishedRecording(entry->path) ? 1 : 0;
    return known == 1;
}

void RecordingRowsModel::SetEventNames(QSet<QString> names) {
    m_eventNames = std::move(names);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

bool RecordingRowsModel::HoldsDrivingEvent(int row) const {
    const RecordingEntry* entry = Row(row);
    return entry && m_eventNames.contains(entry->name);
}
