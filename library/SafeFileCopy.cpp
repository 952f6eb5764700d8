#include "library/SafeFileCopy.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Large enough for the kernel to copy at full speed, small enough for a prompt cancel and a
// progress bar that moves.
constexpr size_t ChunkBytes = 8 << 20;

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // close() reports late write errors (NFS, FUSE); they must not pass for success.
    int Close() {
        const int result = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

// A new file beside the target that no other copy is using.
FileDescriptor CreateTemporary(const QString& target, QByteArray& path) {
    const QFileInfo info(target);
    const QString stem =
        info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part");
    for (int attempt = 0;; ++attempt) {
        path = QFile::encodeName(stem + QString::number(attempt));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return FileDescriptor(fd);
    }
}

// One chunk in the kernel: copy_file_range where the file systems allow it, sendfile else.
ssize_t CopyChunk(int in, int out, size_t bytes, bool& useSendfile) {
    if (!useSendfile) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, bytes, 0);
        if (copied >= 0 ||
            (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP))
            return copied;
        useSendfile = true;
    }
    return ::sendfile(out, in, nullptr, bytes);
}

bool MoveIntoPlace(const QByteArray& from, const QByteArray& to, bool replace) {
    if (replace)
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

} // namespace

CopyResult CopyFileSafely(const QString& source, const QString& target, bool replace,
                          const std::function<bool(qint64 bytesCopied)>& progress) {
    auto failed = [](int error) { return CopyResult{CopyResult::Failed, SystemError(error)}; };
    const FileDescriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (!in.Valid() || ::fstat(in.Get(), &status) != 0)
        return failed(errno);
    if (!S_ISREG(status.st_mode))
        return failed(EINVAL);
    const QByteArray targetPath = QFile::encodeName(target);
    if (!replace && ::access(targetPath.constData(), F_OK) == 0)
        return failed(EEXIST);

    QByteArray temporaryPath;
    FileDescriptor out = CreateTemporary(target, temporaryPath);
    if (!out.Valid())
        return failed(errno);
    auto discard = [&](CopyResult result) {
        out.Close();
        ::unlink(temporaryPath.constData());
        return result;
    };

    bool useSendfile = false;
    qint64 copied = 0;
    for (;;) {
        const ssize_t chunk = CopyChunk(in.Get(), out.Get(), ChunkBytes, useSendfile);
        if (chunk < 0) {
            if (errno == EINTR)
                continue;
            return discard(failed(errno));
        }
        if (chunk == 0)
            break;
        // Sets the chunk on its way to the disk now, so that the fsync before the rename waits
        // for the last chunk only rather than for the whole file.
        ::sync_file_range(out.Get(), copied, chunk, SYNC_FILE_RANGE_WRITE);
        copied += chunk;
        if (progress && !progress(copied))
            return discard({CopyResult::Cancelled, {}});
    }
    // A source that shrank under us (a card pulled out mid-file) is not a complete copy.
    if (copied != status.st_size)
        return discard(failed(EIO));
    // The copy keeps the recording's time, as a file manager's copy does.
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ::futimens(out.Get(), times);
    if (::fsync(out.Get()) != 0 || out.Close() != 0)
        return discard(failed(errno));
    if (!MoveIntoPlace(temporaryPath, targetPath, replace))
        return discard(failed(errno));
    return {CopyResult::Copied, {}};
}
