#include "library/SafeFileCopy.h"

#include "common/NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Large enough for the kernel to copy at full speed, small enough for a prompt cancel and a
// progress bar that moves.
constexpr size_t ChunkBytes = 8 << 20;

QString ReadFailure(const QString& source, const QString& reason) {
    return QStringLiteral("cannot read %1: %2").arg(DisplayName(source), reason);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Copies chunk after chunk in the kernel (copy_file_range where the file systems allow it,
// sendfile else). Where the kernel's copy fails, the chunk is read and written instead, which
// tells a card that cannot be read from a target that cannot be written.
class ChunkCopier {
public:
    ChunkCopier(int in, int out) : m_in(in), m_out(out) {}

    // The bytes copied, 0 at the source's end, -1 with errno set and SourceFailed() telling
    // which side it was.
    ssize_t Next() {
        for (;;) {
            const ssize_t copied = KernelCopy();
            if (copied >= 0)
                return copied;
            if (errno == EINTR)
                continue;
            if (m_way != Way::ReadWrite)
                m_way = errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP
                            ? Way(int(m_way) + 1)
                            : Way::ReadWrite;
            if (m_way == Way::ReadWrite)
                return ReadAndWrite();
        }
    }
    bool SourceFailed() const { return m_sourceFailed; }

private:
    enum class Way { CopyFileRange, Sendfile, ReadWrite };

    ssize_t KernelCopy() {
        if (m_way == Way::CopyFileRange)
            return ::copy_file_range(m_in, nullptr, m_out, nullptr, ChunkBytes, 0);
        return ::sendfile(m_out, m_in, nullptr, ChunkBytes);
    }

    ssize_t ReadAndWrite() {
        m_buffer.resize(ChunkBytes);
        ssize_t read;
        do
            read = ::read(m_in, m_buffer.data(), ChunkBytes);
        while (read < 0 && errno == EINTR);
        m_sourceFailed = read < 0;
        for (ssize_t written = 0; read > 0 && written < read;) {
            const ssize_t now = ::write(m_out, m_buffer.constData() + written, read - written);
            if (now < 0 && errno == EINTR)
                continue;
            if (now <= 0) {
                errno = now == 0 ? ENOSPC : errno;
                return -1;
            }
            written += now;
        }
        return read;
    }

    int m_in;
    int m_out;
    Way m_way = Way::CopyFileRange;
    QByteArray m_buffer;
    bool m_sourceFailed = false;
};

} // namespace

PendingCopy CopyFileBytes(const QString& source, const QString& target, bool replace,
                          const std::function<bool(qint64 bytesCopied)>& progress) {
    auto failed = [](const QString& error) { return PendingCopy({CopyResult::Failed, error}); };
    auto systemError = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    const FileDescriptor in(::open(NativePath(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (in.Get() < 0 || ::fstat(in.Get(), &status) != 0)
        return failed(ReadFailure(source, systemError()));
    if (!S_ISREG(status.st_mode))
        return failed(ReadFailure(source, QStringLiteral("not a file")));
    if (!replace && NativePathExists(target)) {
        errno = EEXIST;
        return failed(
            QStringLiteral("cannot write %1: %2").arg(DisplayName(target), systemError()));
    }

    auto out = std::make_unique<WholeFileWriter>(target);
    ChunkCopier copier(in.Get(), out->Descriptor());
    qint64 copied = 0;
    while (out->Descriptor() >= 0) {
        const ssize_t chunk = copier.Next();
        if (chunk < 0 && copier.SourceFailed())
            return failed(ReadFailure(source, systemError()));
        if (chunk < 0)
            out->Fail("cannot write %1", errno);
        if (chunk <= 0)
            break;
        copied += chunk;
        if (progress && !progress(copied))
            return PendingCopy({CopyResult::Cancelled, {}});
    }
    if (!out->Error().isEmpty())
        return failed(out->Error());
    // A source that shrank under us (a card pulled out mid-file) is not a complete copy.
    if (copied != status.st_size)
        return failed(ReadFailure(source, QStringLiteral("it ended after %1 of %2 bytes")
                                              .arg(copied)
                                              .arg(qint64(status.st_size))));
    // The copy keeps the recording's time, as a file manager's copy does.
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ::futimens(out->Descriptor(), times);
    return PendingCopy(std::move(out), replace ? WholeFileWriter::Existing::Replace
                                               : WholeFileWriter::Existing::Keep);
}

CopyResult PendingCopy::Finish() {
    if (!m_file)
        return m_ended;
    const bool committed = m_file->Commit(m_existing, WholeFileWriter::FolderSync::ByCaller);
    const QString error = m_file->Error();
    m_file.reset();
    if (!committed)
        return {CopyResult::Failed, error};
    return {CopyResult::Copied, {}};
}

CopyResult CopyFileSafely(const QString& source, const QString& target, bool replace,
                          const std::function<bool(qint64 bytesCopied)>& progress) {
    CopyResult result = CopyFileBytes(source, target, replace, progress).Finish();
    if (result.status == CopyResult::Copied)
        if (QString error = SyncFolderOf(target); !error.isEmpty())
            result = {CopyResult::Failed, error};
    return result;
}
