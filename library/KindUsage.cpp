#include "library/KindUsage.h"

#include "common/NativePath.h"
#include "library/RecordingCatalogue.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int KiBShift = 10;

// Walks the folder open as folderFd (and closes it).
qint64 SumFolder(int folderFd, const QString& kindCode) {
    DIR* dir = fdopendir(folderFd);
    if (!dir) {
        close(folderFd);
        return 0;
    }
    qint64 kib = 0;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat status;
        if (fstatat(dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(status.st_mode)) {
            const int child =
                openat(dirfd(dir), entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                kib += SumFolder(child, kindCode);
        } else if (S_ISREG(status.st_mode) &&
                   IsListedName(PathFromNative(entry->d_name), kindCode, std::nullopt)) {
            kib += qint64(status.st_size) >> KiBShift;
        }
    }
    closedir(dir);
    return kib;
}

} // namespace

qint64 MeasureKindUsage(const QString& folder, const QString& kindCode) {
    const int fd = open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd < 0 ? 0 : SumFolder(fd, kindCode);
}
