// karvenna-skingen FOLDER: draws every bitmap of the skin into FOLDER as <id>.png, with the
// resource list skin.qrc that embeds them under :/skin/.

#include "tools/skingen/ButtonFaces.h"
#include "tools/skingen/SkinPaint.h"
#include "tools/skingen/SkinTable.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <cstdio>

static QImage Draw(const SkinBitmapEntry& entry, const QHash<int, QImage>& drawn) {
    QImage image(entry.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Shade::Ground);
    QPainter painter(&image);
    const SkinRow& row = *entry.row;
    if (row.backdrop.bitmapId != 0)
        painter.drawImage(-row.backdrop.at, drawn.value(row.backdrop.bitmapId));
    if (row.picture)
        row.picture(painter, entry.size, entry.id);
    else
        DrawButton(painter, row, entry.look);
    painter.end();
    // Opaque pictures are stored without alpha, so that they copy as the skin means them to.
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return image;
        }
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: karvenna-skingen FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "karvenna-skingen: cannot create %s\n", argv[1]);
        return 1;
    }
    QHash<int, QImage> drawn;
    QString list;
    QTextStream qrc(&list);
    qrc << "<RCC>\n  <qresource prefix=\"/skin\">\n";
    for (const SkinBitmapEntry& entry : SkinBitmapEntries()) {
        const QImage image = Draw(entry, drawn);
        const QString name = QStringLiteral("%1.png").arg(entry.id);
        if (!image.save(folder.filePath(name))) {
            std::fprintf(stderr, "karvenna-skingen: cannot write %s\n", qPrintable(name));
            return 1;
        }
        drawn.insert(entry.id, image);
        qrc << "    <file>" << name << "</file>\n";
    }
    qrc << "  </qresource>\n</RCC>\n";
    QFile file(folder.filePath(QStringLiteral("skin.qrc")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(list.toUtf8()) < 0) {
        std::fprintf(stderr, "karvenna-skingen: cannot write skin.qrc\n");
        return 1;
    }
    return 0;
}
