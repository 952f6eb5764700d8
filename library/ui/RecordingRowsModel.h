#pragma once

#include "library/RecordingEntry.h"

#include <QAbstractTableModel>

// The rows of a file list: five text columns each, column 3 holding the check state "1" or "0".
class RecordingRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void SetRows(QList<RecordingEntry> rows);
    QString Text(int row, int column) const;
    void SetText(int row, int column, const QString& text);

private:
    QList<RecordingEntry> m_rows;
};
