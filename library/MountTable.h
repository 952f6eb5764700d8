#pragma once

#include <QList>
#include <QString>

// One line of a mountinfo table (proc(5)).
struct MountEntry {
    QString device;     // "major:minor" of the mounted block device
    QString fsRoot;     // the folder of the file system seen at the mount point, "/" for all of it
    QString mountPoint; // in root form: ending with '/'
};

// The mounts of a mountinfo file that are visible: where several lie on one mount point, the
// last one mounted hides the others. Unreadable or malformed lines are left out.
QList<MountEntry> ReadVisibleMounts(const QString& mountTable);
