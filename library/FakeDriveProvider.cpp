#include "library/FakeDriveProvider.h"

void FakeDriveProvider::SetRemovableDrives(QList<DriveCandidate> drives) {
    m_drives = OrderedByRoot(std::move(drives));
}

void FakeDriveProvider::SetFixedRoots(QStringList roots) {
    m_fixedRoots = std::move(roots);
}

QList<DriveCandidate> FakeDriveProvider::RemovableDrives() const {
    return m_drives;
}

QString FakeDriveProvider::DriveRootOf(const QString& path) const {
    QStringList roots = m_fixedRoots;
    for (const DriveCandidate& drive : m_drives)
        roots.append(drive.root);
    return LongestRootHolding(path, roots);
}
