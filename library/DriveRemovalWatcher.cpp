#include "library/DriveRemovalWatcher.h"

#include <QSocketNotifier>

namespace {

QStringList RootsOf(const QList<DriveCandidate>& drives) {
    QStringList roots;
    for (const DriveCandidate& drive : drives)
        roots.append(drive.root);
    return roots;
}

} // namespace

DriveRemovalWatcher::DriveRemovalWatcher(const DriveProvider& drives, const QString& mountTable,
                                         QObject* parent)
    : QObject(parent), m_drives(drives), m_mountTable(mountTable),
      m_roots(RootsOf(drives.RemovableDrives())) {
    if (!m_mountTable.open(QIODevice::ReadOnly))
        return;
    // The mount table signals a change as an exceptional condition (POLLPRI), never as data.
    m_notifier = new QSocketNotifier(m_mountTable.handle(), QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DriveRemovalWatcher::Recheck);
}

void DriveRemovalWatcher::Recheck() {
    const QStringList previous = std::exchange(m_roots, RootsOf(m_drives.RemovableDrives()));
    for (const QString& root : previous)
        if (!m_roots.contains(root))
            emit driveRemoved(root);
}

void DriveRemovalWatcher::ForgetMovedRoot(const QString& oldRoot) {
    m_roots.removeAll(oldRoot);
    Recheck();
}
