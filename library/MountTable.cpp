#include "library/MountTable.h"

#include <QFile>
#include <algorithm>

namespace {

// Fields of a mountinfo line before the optional fields.
constexpr int DeviceField = 2;
constexpr int FsRootField = 3;
constexpr int MountPointField = 4;

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash in paths as '\' and three octal digits.
QString DecodeOctalEscapes(const QByteArray& field) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            bytes += char(field.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            bytes += field[i];
        }
    }
    return QFile::decodeName(bytes);
}

} // namespace

QList<MountEntry> ReadVisibleMounts(const QString& mountTable) {
    QFile file(mountTable);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<MountEntry> mounts;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() <= MountPointField)
            continue;
        MountEntry entry{QString::fromLatin1(fields[DeviceField]),
                         DecodeOctalEscapes(fields[FsRootField]),
                         DecodeOctalEscapes(fields[MountPointField])};
        if (!entry.mountPoint.endsWith(u'/'))
            entry.mountPoint += u'/';
        mounts.removeIf(
            [&](const MountEntry& earlier) { return earlier.mountPoint == entry.mountPoint; });
        mounts.append(entry);
    }
    return mounts;
}
