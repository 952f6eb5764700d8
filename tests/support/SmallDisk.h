#pragma once

#include "tests/common/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder on a disk of its own: a small tmpfs where this process may mount one (root), else a
// plain folder. Full() and ReadOnly() then play a full disk and a write-protected card.
class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes) : m_bytes(bytes) {
        const QByteArray options = "size=" + QByteArray::number(bytes);
        m_mounted = ::mount("tmpfs", Native().constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk() {
        m_limit.reset();
        if (m_mounted)
            ::umount2(Native().constData(), MNT_DETACH);
        else
            QFile::setPermissions(Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    QString Path() const { return m_dir.path(); }
    bool Mounted() const { return m_mounted; }

    // From now on no file grows past the disk's size: on the tmpfs it fills up by itself,
    // elsewhere every file of this process is held to that size. Write the sources first.
    void Full() {
        if (!m_mounted)
            m_limit.emplace(rlim_t(m_bytes));
    }
    // Files on the disk can no longer be deleted; false when this machine cannot play that
    // (root ignores a folder's permissions, so it needs the tmpfs).
    bool ReadOnly() {
        if (m_mounted)
            return ::mount(nullptr, Native().constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                           nullptr) == 0;
        return ::chmod(Native().constData(), 0555) == 0 && ::geteuid() != 0;
    }

private:
    QByteArray Native() const { return QFile::encodeName(m_dir.path()); }

    QTemporaryDir m_dir;
    qint64 m_bytes;
    bool m_mounted = false;
    std::optional<FileSizeLimit> m_limit;
};
