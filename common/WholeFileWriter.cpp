#include "common/WholeFileWriter.h"

#include "common/NativePath.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char TemporaryPrefix[] = ".karvenna-";
constexpr int TemporarySuffixLength = 6;
constexpr char SuffixCharacters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsTemporaryName(const char* name) {
    const size_t prefix = sizeof(TemporaryPrefix) - 1;
    if (std::strncmp(name, TemporaryPrefix, prefix) != 0 ||
        std::strlen(name) != prefix + TemporarySuffixLength)
        return false;
    for (const char* at = name + prefix; *at; ++at)
        if (!std::strchr(SuffixCharacters, *at))
            return false;
    return true;
}

QByteArray TemporaryName() {
    QByteArray name = TemporaryPrefix;
    for (int i = 0; i < TemporarySuffixLength; ++i)
        name += SuffixCharacters[QRandomGenerator::global()->bounded(
            int(sizeof(SuffixCharacters) - 1))];
    return name;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool MoveIntoPlace(const QByteArray& from, const QByteArray& to,
                   WholeFileWriter::Existing existing) {
    if (existing == WholeFileWriter::Existing::Replace)
        return ::rename(from.constData(), to.constData()) == 0;
    // A file that turned up under the target's name since it was looked at is not replaced.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::access(to.constData(), F_OK) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : slash == 0 ? QByteArray("/") : QByteArray(".");
}

constexpr char FolderSyncStep[] = "cannot sync the folder of %1 to the disk";

// The new name is on the disk only when its folder is; a file system that cannot sync a folder
// (EINVAL) writes its names at once. 0 or why not.
int SyncNativeFolder(const QByteArray& folder) {
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return errno;
    const int error = ::fsync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
    ::close(descriptor);
    return error;
}

} // namespace

WholeFileWriter::WholeFileWriter(const QString& path)
    : m_target(NativePath(path)), m_folder(FolderOf(m_target)), m_path(path) {
    Create();
}

WholeFileWriter::~WholeFileWriter() {
    Discard();
}

void WholeFileWriter::Create() {
    struct stat replaced;
    const bool replacing = ::stat(m_target.constData(), &replaced) == 0;
    for (;;) {
        m_temporary = m_folder + '/' + TemporaryName();
        // The user's umask gives a new file its mode, as it would to a file saved by any program.
        m_file = ::open(m_temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_file < 0 && errno == EEXIST)
            continue;
        if (m_file < 0) {
            m_temporary.clear();
            Fail("cannot write %1", errno);
            return;
        }
        m_lock = ::dup(m_file);
        if (m_lock < 0) {
            Fail("cannot write %1", errno);
            return;
        }
        // Where the file system has no locks, a clean-up cannot lock a leftover either, and
        // removes none.
        ::flock(m_file, LOCK_EX);
        // Another program's clean-up may have taken the new file for a leftover before it was
        // locked: then it is no longer under its name, and another is made.
        struct stat opened, named;
        if (::fstat(m_file, &opened) == 0 && ::lstat(m_temporary.constData(), &named) == 0 &&
            SameFile(opened, named))
            break;
        ::close(m_file);
        ::close(m_lock);
        m_file = m_lock = -1;
        m_temporary.clear();
    }
    // A replaced file keeps its mode; a file system without modes (FAT) refuses, which is
    // no reason to fail the write.
    if (replacing)
        ::fchmod(m_file, replaced.st_mode & 07777);
}

bool WholeFileWriter::Write(const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0 && m_file >= 0) {
        const ssize_t written = ::write(m_file, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Fail("cannot write %1", written == 0 ? ENOSPC : errno);
        data += written;
        left -= written;
    }
    return m_file >= 0;
}

bool WholeFileWriter::Fail(const char* step, int error) {
    if (m_error.isEmpty())
        m_error = QString::fromUtf8(step).arg(DisplayName(m_path)) + QStringLiteral(": ") +
                  QString::fromLocal8Bit(std::strerror(error));
    Discard();
    return false;
}

bool WholeFileWriter::Commit(Existing existing, FolderSync folderSync) {
    if (m_file < 0)
        return false;
    if (::fsync(m_file) != 0)
        return Fail("cannot sync %1 to the disk", errno);
    // close() reports late write errors (NFS, FUSE); they must not pass for success.
    const int closed = ::close(m_file);
    m_file = -1;
    if (closed != 0)
        return Fail("cannot close %1", errno);
    if (!MoveIntoPlace(m_temporary, m_target, existing))
        return Fail("cannot give %1 its name", errno);
    m_temporary.clear();
    ::close(m_lock);
    m_lock = -1;
    if (folderSync == FolderSync::ByCaller)
        return true;
    const int error = SyncNativeFolder(m_folder);
    return error == 0 || Fail(FolderSyncStep, error);
}

void WholeFileWriter::Discard() {
    // Removed while still locked, so that no clean-up can touch it meanwhile.
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    for (int* descriptor : {&m_file, &m_lock}) {
        if (*descriptor >= 0)
            ::close(*descriptor);
        *descriptor = -1;
    }
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    RemoveUnfinishedFiles(PathFromNative(FolderOf(NativePath(path))));
    WholeFileWriter writer(path);
    if (writer.Write(bytes))
        writer.Commit();
    return writer.Error();
}

QString SyncFolderOf(const QString& path) {
    const int error = SyncNativeFolder(FolderOf(NativePath(path)));
    if (error == 0)
        return {};
    return QString::fromUtf8(FolderSyncStep).arg(DisplayName(path)) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(error));
}

void RemoveUnfinishedFiles(const QString& folder) {
    DIR* dir = ::opendir(NativePath(folder).constData());
    if (!dir)
        return;
    const int folderFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        const int file =
            ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (file < 0)
            continue;
        // A running write holds its lock; a killed one's went with it.
        struct stat opened, named;
        if (::flock(file, LOCK_EX | LOCK_NB) == 0 && ::fstat(file, &opened) == 0 &&
            S_ISREG(opened.st_mode) &&
            ::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(opened, named))
            ::unlinkat(folderFd, entry->d_name, 0);
        ::close(file);
    }
    ::closedir(dir);
}
