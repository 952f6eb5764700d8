#pragma once

#include "library/RecordingEntry.h"

#include <QAbstractTableModel>
#include <QSet>
#include <vector>

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
    // The camera did not finish the row's recording; its tooltip says so. Read from the file
    // the first time a row asks, so that listing a card reads no recording.
    bool Unfinished(int row) const;

    // The recordings (by name) that hold a driving event; kept when the rows change.
    void SetEventNames(QSet<QString> names);
    bool HoldsDrivingEvent(int row) const;

private:
    static constexpr qint8 Unknown = -1;

    QSet<QString> m_eventNames;

    QList<RecordingEntry> m_rows;
    mutable std::vector<qint8> m_unfinished; // per row: Unknown, 0 or 1
};
