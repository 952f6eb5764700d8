#pragma once

#include "library/DriveProvider.h"
#include "library/MountTable.h"

// Where the system describes its mounts, block devices and volume labels; tests point these at
// files of their own.
struct SystemFiles {
    QString mountTable = QStringLiteral("/proc/self/mountinfo");
    QString sysfs = QStringLiteral("/sys");
    QString labels = QStringLiteral("/dev/disk/by-label");
};

// The mounted volumes whose block device is removable: the whole disk's removable flag, a disk
// on USB, or an SD card. A --card root counts as one more removable drive while it is a folder
// (and, if it was a mount point when the program started, while it is still mounted).
class LinuxDriveProvider : public DriveProvider {
public:
    explicit LinuxDriveProvider(const QString& cardRoot = {}, SystemFiles system = {});

    // The --card folder in root form, empty without one.
    const QString& CardRoot() const { return m_cardRoot; }

    QList<DriveCandidate> RemovableDrives() const override;
    QString DriveRootOf(const QString& path) const override;

private:
    bool IsRemovable(const MountEntry& mount) const;
    QString LabelOf(const MountEntry& mount) const;
    QString BlockDeviceFolder(const MountEntry& mount) const;

    QString m_cardRoot;
    SystemFiles m_system;
    bool m_cardWasMountPoint = false;
};
