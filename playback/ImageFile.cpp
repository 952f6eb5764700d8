#include "playback/ImageFile.h"

#include "common/WholeFileWriter.h"

#include <QBuffer>

QString WriteImageFile(const QString& path, const QImage& image, const char* format) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format))
        return QStringLiteral("cannot make the picture a %1 file").arg(QLatin1String(format));
    return WriteWholeFile(path, encoded);
}
