#include "library/RecordingCatalogue.h"

#include "common/LogCategories.h"
#include "common/NativePath.h"
#include "library/RecordingTexts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr qsizetype DateLength = 8;
constexpr qsizetype KindPosition = 16;
constexpr qsizetype KindLength = 3;
constexpr qsizetype ExtensionLength = 4;
constexpr int KiBShift = 10;

bool EqualsUpperCased(QStringView field, QStringView code) {
    if (field.size() != code.size())
        return false;
    for (qsizetype i = 0; i < field.size(); ++i)
        if (field[i].toUpper() != code[i])
            return false;
    return true;
}

// One readdir pass; only names that pass the filter get their one statx.
QList<RecordingEntry> ScanFolder(const QString& folder, const QString& kindCode,
                                 const std::optional<QString>& dateText) {
    QList<RecordingEntry> rows;
    DIR* dir = opendir(NativePath(folder).constData());
    if (!dir) {
        qCInfo(lcLibrary, "cannot read the folder %s: %s", qUtf8Printable(folder),
               std::strerror(errno));
        return rows;
    }
    const QString pathPrefix = folder.endsWith(u'/') ? folder : folder + u'/';
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_type == DT_DIR)
            continue;
        const QString name = PathFromNative(entry->d_name);
        // The name tests need no file status, so they run first and spare the telemetry files a
        // stat.
        if (!IsListedName(name, kindCode, dateText))
            continue;
        struct statx status;
        if (statx(dirfd(dir), entry->d_name, AT_NO_AUTOMOUNT,
                  STATX_TYPE | STATX_SIZE | STATX_BTIME | STATX_MTIME, &status) != 0)
            continue;
        if (!S_ISREG(status.stx_mode))
            continue;
        const qint64 kib = qint64(status.stx_size >> KiBShift);
        if (kib == 0)
            continue;
        const bool hasBirth = status.stx_mask & STATX_BTIME;
        const qint64 created = hasBirth ? status.stx_btime.tv_sec : status.stx_mtime.tv_sec;
        rows.append({pathPrefix + name, name, kib, created});
    }
    closedir(dir);
    return rows;
}

} // namespace

bool IsListedName(QStringView name, const QString& kindCode,
                  const std::optional<QString>& dateText) {
    const QStringView extension = name.right(ExtensionLength);
    if (!EqualsUpperCased(extension, u".AVI") && !EqualsUpperCased(extension, u".MP4"))
        return false;
    if (!kindCode.isEmpty() && !EqualsUpperCased(name.mid(KindPosition, KindLength), kindCode))
        return false;
    return !dateText || name.left(DateLength) == *dateText;
}

QString CatalogueFolder(const QString& libraryRoot, bool folderMode) {
    return folderMode ? libraryRoot : libraryRoot + QStringLiteral("Recordings");
}

QList<RecordingEntry> ListRecordings(const QString& libraryRoot, bool folderMode, KindFilter kind,
                                     bool dateFilter, qint64 selectedDate) {
    const std::optional<QString> dateText =
        dateFilter ? std::optional(SelectedDateText(selectedDate)) : std::nullopt;
    QList<RecordingEntry> rows =
        ScanFolder(CatalogueFolder(libraryRoot, folderMode), KindCode(kind), dateText);
    std::sort(rows.begin(), rows.end(), [](const RecordingEntry& a, const RecordingEntry& b) {
        return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
    });
    return rows;
}
