#pragma once

#include <QList>
#include <QStringList>

// What the delete command makes of the list's marks.
struct DeletePlan {
    // The marked rows, in list order, without the open recording's row.
    QList<int> rows;
    // The first marked row, the open recording's included; -1 when nothing is marked.
    int firstMarked = -1;
    // The open recording's row is marked: it is kept, and the user is told so.
    bool protectedMarked = false;
};

// marked: the check state of every row; currentIndex: the open recording's row, -1 for none.
DeletePlan PlanDelete(const QList<bool>& marked, int currentIndex);

// The row selected after the rebuild: the one before the first marked row, at most the new last
// row; -1 when there is none to select.
int RowAfterDelete(int firstMarked, int rowCount);

// Deletes a recording's video and its telemetry files. Missing files are no error; the files
// that exist but could not be deleted are returned.
QStringList DeleteRecordingFiles(const QString& videoPath);
