#include "common/WholeFileWriter.h"

#include "common/NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char TemporaryPattern[] = "/.karvenna-XXXXXX";

QString Failure(const char* step, const QString& path, int error) {
    return QStringLiteral("cannot %1 %2: %3")
        .arg(QLatin1String(step), DisplayName(path), QString::fromLocal8Bit(std::strerror(error)));
}

bool WriteAll(int descriptor, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// The mode a new file gets from the user's umask, or the replaced file's own.
mode_t TargetMode(const QByteArray& target) {
    struct stat status;
    if (::stat(target.constData(), &status) == 0)
        return status.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    const QByteArray target = NativePath(path);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? target.left(slash) : slash == 0 ? "/" : ".";
    QByteArray temporary = folder + TemporaryPattern;
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return Failure("write", path, errno);
    const auto fail = [&](const char* step) {
        const int error = errno;
        ::close(descriptor);
        ::unlink(temporary.constData());
        return Failure(step, path, error);
    };
    if (!WriteAll(descriptor, bytes))
        return fail("write");
    if (::fchmod(descriptor, TargetMode(target)) != 0)
        return fail("write");
    if (::fsync(descriptor) != 0)
        return fail("flush to the disk");
    if (::close(descriptor) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return Failure("close", path, error);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return Failure("name", path, error);
    }
    // The new name is on the disk only when its folder is.
    const int directory = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        const bool synced = ::fsync(directory) == 0 || errno == EINVAL;
        const int error = errno;
        ::close(directory);
        if (!synced)
            return Failure("flush to the disk", path, error);
    }
    return {};
}
