#pragma once

#include "library/DriveProvider.h"

#include <QFile>
#include <QObject>
#include <QStringList>

class QSocketNotifier;

// Tells the window when a removable drive goes away. The kernel marks the mount table with
// POLLPRI whenever a mount comes or goes; the drives are then read again and compared with the
// ones seen last.
class DriveRemovalWatcher : public QObject {
    Q_OBJECT
public:
    // drives must outlive the watcher. Without a readable mount table nothing is watched and
    // only Recheck reports.
    explicit DriveRemovalWatcher(const DriveProvider& drives,
                                 const QString& mountTable = QStringLiteral("/proc/self/mountinfo"),
                                 QObject* parent = nullptr);

    // Reads the drives again and reports each root seen last time that is gone now.
    void Recheck();
    // The drive at oldRoot is mounted elsewhere now (a format mounts the new file system under
    // its new label): its old root is not reported as removed. Then reads the drives again.
    void ForgetMovedRoot(const QString& oldRoot);

signals:
    void driveRemoved(const QString& root);

private:
    const DriveProvider& m_drives;
    QFile m_mountTable;
    QSocketNotifier* m_notifier = nullptr;
    QStringList m_roots;
};
