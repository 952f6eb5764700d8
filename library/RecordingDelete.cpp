#include "library/RecordingDelete.h"

#include "common/NativePath.h"
#include "telemetry/TelemetryFiles.h"

#include <cerrno>
#include <unistd.h>

DeletePlan PlanDelete(const QList<bool>& marked, int currentIndex) {
    DeletePlan plan;
    for (int row = 0; row < marked.size(); ++row) {
        if (!marked[row])
            continue;
        if (plan.firstMarked < 0)
            plan.firstMarked = row;
        if (row == currentIndex)
            plan.protectedMarked = true;
        else
            plan.rows.append(row);
    }
    return plan;
}

int RowAfterDelete(int firstMarked, int rowCount) {
    if (rowCount <= 0)
        return -1;
    const int row = qMin(firstMarked - 1, rowCount - 1);
    return row >= 0 ? row : -1;
}

QStringList DeleteRecordingFiles(const QString& videoPath) {
    QStringList failed;
    for (const QString& file : {videoPath, FindTelemetryFile(videoPath, GsfEnding),
                                FindTelemetryFile(videoPath, GpsEnding)}) {
        // By the name's own bytes: Qt's conversion would name another file.
        if (!file.isEmpty() && ::unlink(NativePath(file).constData()) != 0 && errno != ENOENT)
            failed.append(file);
    }
    return failed;
}
