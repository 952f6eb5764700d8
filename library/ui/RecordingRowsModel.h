#pragma once

#include "library/RecordingEntry.h"

#include <QAbstractTableModel>

// The rows of a file list: one recording each, shown as its five column texts.
class RecordingRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void SetRows(QList<RecordingEntry> rows);
    // Null outside the rows.
    const RecordingEntry* Row(int row) const;
    // Empty outside the rows.
    QString Text(int row, int column) const;
    void SetChecked(int row, bool checked);

private:
    QList<RecordingEntry> m_rows;
};
