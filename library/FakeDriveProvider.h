#pragma once

#include "library/DriveProvider.h"

// A drive provider for tests: the removable drives and the other volumes are whatever the test
// says they are.
class FakeDriveProvider : public DriveProvider {
public:
    void SetRemovableDrives(QList<DriveCandidate> drives);
    // Roots of volumes that hold folders but are not removable (the fixed disks).
    void SetFixedRoots(QStringList roots);

    QList<DriveCandidate> RemovableDrives() const override;
    QString DriveRootOf(const QString& path) const override;

private:
    QList<DriveCandidate> m_drives;
    QStringList m_fixedRoots;
};
