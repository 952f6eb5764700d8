#include "playback/UnfinishedMp4.h"

#include "common/NativePath.h"

#include <QFile>
#include <QtEndian>

namespace {

// Top-level boxes are few (ftyp, free, mdat, moov, udta); more means this is no box structure.
constexpr int MaxTopLevelBoxes = 1000;

} // namespace

QString UnfinishedMp4Reason(QIODevice& file) {
    const qint64 fileSize = file.size();
    QString cut;
    bool first = true;
    for (qint64 at = 0, boxes = 0; at + 8 <= fileSize && boxes < MaxTopLevelBoxes; ++boxes) {
        char header[16];
        if (!file.seek(at) || file.read(header, 8) != 8)
            return {};
        const QByteArray type(header + 4, 4);
        if (first && type != "ftyp")
            return {};
        first = false;
        qint64 size = qFromBigEndian<quint32>(header);
        if (size == 1) {
            if (file.read(header + 8, 8) != 8)
                return {};
            size = qint64(qFromBigEndian<quint64>(header + 8) & 0x7FFFFFFFFFFFFFFF);
        } else if (size == 0) {
            size = fileSize - at; // the box runs to the end of the file
        }
        if (size < 8)
            return {};
        if (at + size > fileSize) {
            cut = QStringLiteral("the file ends at byte %1, inside its %2 box of %3 bytes")
                      .arg(fileSize)
                      .arg(QString::fromLatin1(type))
                      .arg(size);
            if (type == "moov")
                return cut;
            break;
        }
        if (type == "moov")
            return {};
        at += size;
    }
    if (first)
        return {};
    const QString unfinished =
        QStringLiteral("the camera did not finish this recording: it has no moov box");
    return cut.isEmpty() ? unfinished : unfinished + QStringLiteral("; ") + cut;
}

QString UnfinishedMp4Reason(const QString& path) {
    QFile file;
    if (!OpenNativeForReading(file, path, QIODevice::Unbuffered))
        return {};
    return UnfinishedMp4Reason(file);
}
